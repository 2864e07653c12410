package vexal;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/** Reads the JSON vexal writes: objects (keys kept in order), arrays, texts, numbers, literals. */
final class Json {
  private final String s;
  private int at;

  private Json(String s) {
    this.s = s;
  }

  @SuppressWarnings("unchecked")
  static Map<String, Object> object(String text) {
    Json json = new Json(text);
    Object value = json.value();
    if (json.at != text.length()) throw new IllegalArgumentException("trailing text: " + text);
    return (Map<String, Object>) value;
  }

  private Object value() {
    char c = s.charAt(at);
    if (c == '{' || c == '[') {
      Map<String, Object> object = new LinkedHashMap<>();
      List<Object> array = new ArrayList<>();
      char close = c == '{' ? '}' : ']';
      at++;
      while (s.charAt(at) != close) {
        if (c == '[') {
          array.add(value());
        } else {
          String key = string();
          expect(':');
          if (object.containsKey(key)) throw new IllegalArgumentException("twice: " + key);
          object.put(key, value());
        }
        if (s.charAt(at) == ',') at++;
      }
      at++;
      return c == '{' ? object : array;
    }
    if (c == '"') return string();
    for (Object word : new Object[] {null, true, false}) {
      if (s.startsWith(String.valueOf(word), at)) {
        at += String.valueOf(word).length();
        return word;
      }
    }
    int start = at;
    while (at < s.length() && (s.charAt(at) == '-' || Character.isDigit(s.charAt(at)))) at++;
    return Long.parseLong(s.substring(start, at));
  }

  private String string() {
    expect('"');
    StringBuilder out = new StringBuilder();
    for (char c; (c = s.charAt(at++)) != '"'; ) {
      if (c != '\\') {
        out.append(c);
        continue;
      }
      char e = s.charAt(at++);
      if (e == 'u') {
        out.append((char) Integer.parseInt(s.substring(at, at + 4), 16));
        at += 4;
      } else {
        int i = "bfnrt".indexOf(e);
        out.append(i < 0 ? e : "\b\f\n\r\t".charAt(i));
      }
    }
    return out.toString();
  }

  private void expect(char c) {
    if (s.charAt(at++) != c) throw new IllegalArgumentException("no " + c + " at " + at + ": " + s);
  }
}
