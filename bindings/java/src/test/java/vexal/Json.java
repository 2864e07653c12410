package vexal;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/** Reads the JSON vexal writes: objects (keys in order), arrays, strings, integers, null, booleans. */
final class Json {
  private final String text;
  private int at;

  private Json(String text) {
    this.text = text;
  }

  static Object parse(String text) {
    Json json = new Json(text);
    Object value = json.value();
    if (json.at != text.length()) throw json.error("trailing characters");
    return value;
  }

  @SuppressWarnings("unchecked")
  static Map<String, Object> object(String text) {
    return (Map<String, Object>) parse(text);
  }

  private Object value() {
    char c = text.charAt(at);
    switch (c) {
      case '{':
        return object();
      case '[':
        return array();
      case '"':
        return string();
      case 'n':
        return word("null", null);
      case 't':
        return word("true", Boolean.TRUE);
      case 'f':
        return word("false", Boolean.FALSE);
      default:
        int start = at;
        if (c == '-') at++;
        while (at < text.length() && Character.isDigit(text.charAt(at))) at++;
        if (start == at) throw error("unexpected " + c);
        return Long.parseLong(text.substring(start, at));
    }
  }

  private Map<String, Object> object() {
    Map<String, Object> object = new LinkedHashMap<>();
    expect('{');
    if (text.charAt(at) == '}') {
      at++;
      return object;
    }
    do {
      String key = string();
      expect(':');
      if (object.containsKey(key)) throw error("key twice: " + key);
      object.put(key, value());
    } while (text.charAt(at++) == ',');
    if (text.charAt(at - 1) != '}') throw error("no }");
    return object;
  }

  private List<Object> array() {
    List<Object> array = new ArrayList<>();
    expect('[');
    if (text.charAt(at) == ']') {
      at++;
      return array;
    }
    do {
      array.add(value());
    } while (text.charAt(at++) == ',');
    if (text.charAt(at - 1) != ']') throw error("no ]");
    return array;
  }

  private String string() {
    expect('"');
    StringBuilder s = new StringBuilder();
    for (char c; (c = text.charAt(at++)) != '"'; ) {
      if (c != '\\') {
        s.append(c);
        continue;
      }
      char e = text.charAt(at++);
      switch (e) {
        case 'b' -> s.append('\b');
        case 'f' -> s.append('\f');
        case 'n' -> s.append('\n');
        case 'r' -> s.append('\r');
        case 't' -> s.append('\t');
        case 'u' -> {
          s.append((char) Integer.parseInt(text.substring(at, at + 4), 16));
          at += 4;
        }
        default -> s.append(e); // " \ /
      }
    }
    return s.toString();
  }

  private Object word(String word, Object value) {
    if (!text.startsWith(word, at)) throw error("not " + word);
    at += word.length();
    return value;
  }

  private void expect(char c) {
    if (text.charAt(at++) != c) throw error("no " + c);
  }

  private IllegalArgumentException error(String what) {
    return new IllegalArgumentException(what + " at " + at + " of " + text);
  }
}
