package vexal;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.io.IOException;
import java.lang.reflect.RecordComponent;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;

/**
 * What the tests share: the vexal program and the example of the build under test (system
 * properties vexal.cli and vexal.example), its jsonl, and results as the jsonl objects they stand
 * for.
 */
final class Fixture {
  static final String TODAY = "20261208";
  static final Path CLI = Path.of(System.getProperty("vexal.cli", "build/default/bin/vexal"));
  static final Path EXAMPLE =
      Path.of(System.getProperty("vexal.example", "examples/transmission.txt"));

  private Fixture() {}

  static Options options() {
    return Options.defaults().today(TODAY);
  }

  /** The output of vexal with these arguments (exit status 0 or 1). */
  static String run(List<String> arguments) {
    List<String> command = new ArrayList<>();
    command.add(CLI.toString());
    command.addAll(arguments);
    try {
      Process process = new ProcessBuilder(command).redirectError(ProcessBuilder.Redirect.DISCARD)
          .start();
      String out = new String(process.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
      int status = process.waitFor();
      if (status > 1) throw new AssertionError(command + " exited " + status);
      return out;
    } catch (IOException e) {
      throw new AssertionError("cannot run " + command, e);
    } catch (InterruptedException e) {
      Thread.currentThread().interrupt();
      throw new AssertionError(e);
    }
  }

  /** The jsonl objects of `vexal check --format jsonl` with these options, without the summary. */
  static List<Map<String, Object>> jsonl(List<String> options, Path file) {
    List<String> arguments = new ArrayList<>(List.of("check", "--quiet", "--format", "jsonl"));
    arguments.addAll(options);
    arguments.add(file.toString());
    List<Map<String, Object>> objects = new ArrayList<>();
    for (String line : run(arguments).split("\n")) {
      if (line.isEmpty()) continue;
      Map<String, Object> object = Json.object(line);
      if (!"summary".equals(object.get("kind"))) objects.add(object);
    }
    return objects;
  }

  static List<Result> all(Stream<Result> results) {
    try (results) {
      return results.toList();
    }
  }

  /** "record_type" as a record component is named: "recordType". */
  static String javaName(String key) {
    StringBuilder name = new StringBuilder();
    for (String part : key.split("_")) {
      name.append(name.length() == 0 ? part : Character.toUpperCase(part.charAt(0))
          + part.substring(1));
    }
    return name.toString();
  }

  /**
   * The jsonl objects a result stands for. A finding's keys come from the components of {@link
   * Finding} whose names the keys give, so a key without a component fails the comparison.
   */
  static List<Map<String, Object>> objects(Result r, List<String> findingKeys) {
    List<Map<String, Object>> objects = new ArrayList<>();
    Long line = r.line() == 0 ? null : r.line();
    if (r.kind() == Result.Kind.FILE_WARNING) {
      objects.add(map("kind", "file_warning", "file", r.file(), "line", line, "message",
          r.fileWarning()));
      return objects;
    }
    if (r.warning() != null) {
      objects.add(map("kind", "warning", "file", r.file(), "line", line, "record_type",
          r.recordType(), "message", r.warning(), "expected_length", r.expectedLength(),
          "actual_length", r.actualLength()));
    }
    if (r.kind() == Result.Kind.ERROR) {
      objects.add(map("kind", "error", "file", r.file(), "line", line, "message", r.error()));
      return objects;
    }
    for (Finding f : r.findings()) {
      Map<String, Object> finding = new LinkedHashMap<>();
      finding.put("kind", "finding");
      for (String key : findingKeys) {
        if (!key.equals("kind")) finding.put(key, component(f, javaName(key)));
      }
      objects.add(finding);
    }
    objects.add(map("kind", r.kind().jsonKind(), "file", r.file(), "line", line, "record_type",
        r.recordType(), "findings", (long) r.findings().size()));
    return objects;
  }

  private static Object component(Finding f, String name) {
    for (RecordComponent c : Finding.class.getRecordComponents()) {
      if (c.getName().equals(name)) {
        try {
          Object value = c.getAccessor().invoke(f);
          return value instanceof Integer i ? Long.valueOf(i) : value;
        } catch (ReflectiveOperationException e) {
          throw new AssertionError(e);
        }
      }
    }
    return "<no component " + name + " in Finding>";
  }

  private static Map<String, Object> map(Object... pairs) {
    Map<String, Object> map = new LinkedHashMap<>();
    for (int i = 0; i < pairs.length; i += 2) {
      Object value = pairs[i + 1];
      map.put((String) pairs[i], value instanceof Integer n ? Long.valueOf(n) : value);
    }
    return map;
  }

  /** Compares results with jsonl objects, object by object and key by key, keys in order. */
  static void assertSameAsJsonl(List<Map<String, Object>> expected, List<Result> results) {
    List<String> findingKeys = expected.stream().filter(o -> "finding".equals(o.get("kind")))
        .findFirst().map(o -> List.copyOf(o.keySet())).orElse(List.of());
    List<Map<String, Object>> actual = new ArrayList<>();
    for (Result r : results) actual.addAll(objects(r, findingKeys));
    for (int i = 0; i < Math.min(expected.size(), actual.size()); i++) {
      Map<String, Object> e = expected.get(i);
      Map<String, Object> a = actual.get(i);
      assertEquals(List.copyOf(e.keySet()), List.copyOf(a.keySet()), "keys of object " + i);
      for (String key : e.keySet()) {
        assertEquals(e.get(key), a.get(key), "object " + i + " (" + e.get("kind") + " of line "
            + e.get("line") + "), key " + key);
      }
    }
    assertEquals(expected.size(), actual.size(), "number of jsonl objects");
  }

  /** Lines of a file written for a test, LF after each. */
  static Path write(Path folder, String name, List<byte[]> lines) throws IOException {
    Path file = folder.resolve(name);
    try (var out = Files.newOutputStream(file)) {
      for (byte[] line : lines) {
        out.write(line);
        out.write('\n');
      }
    }
    return file;
  }

  /** The lines of the example as their bytes, without line ends (Latin-1 keeps every byte). */
  static List<byte[]> exampleLines() throws IOException {
    return Files.readAllLines(EXAMPLE, StandardCharsets.ISO_8859_1).stream()
        .map(line -> line.getBytes(StandardCharsets.ISO_8859_1)).toList();
  }
}
