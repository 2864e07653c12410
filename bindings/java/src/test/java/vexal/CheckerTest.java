package vexal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;
import org.junit.jupiter.params.provider.ValueSource;

/** The binding gives what vexal gives: findings key by key, layouts, bytes of any value. */
class CheckerTest {
  @TempDir Path folder;

  static Stream<Arguments> optionsAndFlags() {
    Path library = Path.of(Natives.libvexalcheck()).resolveSibling("libvexal.so");
    return Stream.of(
        Arguments.of(Fixture.options(), List.of("--today", "20261208")),
        Arguments.of(Options.defaults().today("20200101"), List.of("--today", "20200101")),
        Arguments.of(Fixture.options().level(2), List.of("--today", "20261208", "--level", "2")),
        Arguments.of(Fixture.options().level(0), List.of("--today", "20261208", "--level", "0")),
        Arguments.of(Fixture.options().recordType("DSAS_01"),
            List.of("--today", "20261208", "--type", "DSAS_01")),
        Arguments.of(Fixture.options().param("ipMjahrSchalttag", "0101"),
            List.of("--today", "20261208", "--param", "ipMjahrSchalttag=0101")),
        Arguments.of(Fixture.options().libraryPath(library),
            List.of("--today", "20261208", "--library", library.toString())));
  }

  @ParameterizedTest
  @MethodSource("optionsAndFlags")
  void checkFileGivesWhatJsonlGives(Options options, List<String> flags) {
    List<Map<String, Object>> expected = Fixture.jsonl(flags, Fixture.EXAMPLE);
    assertTrue(expected.stream().anyMatch(o -> "finding".equals(o.get("kind"))));
    try (Checker checker = new Checker(options)) {
      Fixture.assertSameAsJsonl(expected, Fixture.all(checker.checkFile(Fixture.EXAMPLE)));
    }
  }

  @Test
  void aStreamAndSingleLinesGiveWhatTheFileGives() throws IOException {
    try (Checker checker = new Checker(Fixture.options())) {
      List<Result> file = Fixture.all(checker.checkFile(Fixture.EXAMPLE));
      String name = Fixture.EXAMPLE.toString();
      try (InputStream in = Files.newInputStream(Fixture.EXAMPLE)) {
        assertEquals(file, Fixture.all(checker.check(in, name)));
      }
      // Read a byte at a time, the lines cut across reads.
      byte[] bytes = Files.readAllBytes(Fixture.EXAMPLE);
      InputStream trickle = new ByteArrayInputStream(bytes) {
        @Override
        public synchronized int read(byte[] b, int off, int len) {
          return super.read(b, off, Math.min(len, 1));
        }
      };
      assertEquals(file, Fixture.all(checker.check(trickle, name)));
      List<Result> lines = new ArrayList<>();
      List<byte[]> example = Fixture.exampleLines();
      for (int i = 0; i < example.size(); i++) {
        if (example.get(i).length == 0) continue;
        lines.add(withFile(checker.checkLine(example.get(i), i + 1), name));
      }
      assertEquals(file, lines);
    }
  }

  private static Result withFile(Result r, String file) {
    List<Finding> findings = r.findings().stream().map(f -> new Finding(file, f.line(),
        f.recordType(), f.id(), f.check(), f.code(), f.problemType(), f.weight(), f.infoType(),
        f.shortDescription(), f.longDescription(), f.correctionInfo(), f.referenceTopic(),
        f.referenceField(), f.fieldDisplayName(), f.fieldType(), f.fieldLength(), f.fieldMask(),
        f.exception(), f.label(), f.text())).toList();
    return new Result(r.kind(), file, r.line(), r.recordType(), r.warning(), r.expectedLength(),
        r.actualLength(), r.error(), r.fileWarning(), findings);
  }

  @ParameterizedTest
  @ValueSource(strings = {"DSKO_04", "DSAS_01", "DSAS_02", "DSLN_01", "DSLN_02"})
  void layoutIsWhatVexalLayoutShows(String recordType) {
    Map<String, Object> expected =
        Json.object(Fixture.run(List.of("layout", "--format", "json", recordType)).strip());
    Layout layout;
    try (Checker checker = new Checker(Fixture.options())) {
      layout = checker.layout(recordType);
    }
    assertEquals(expected.get("record_type"), layout.recordType());
    assertEquals(expected.get("built"), layout.built());
    assertEquals(expected.get("field_count"), layout.fieldCount());
    assertEquals(expected.get("minimum_length"), layout.minimumLength());
    assertEquals(expected.get("record_length"), layout.recordLength());
    @SuppressWarnings("unchecked")
    List<Map<String, Object>> entries = (List<Map<String, Object>>) expected.get("entries");
    assertEquals(entries.size(), layout.entries().size());
    for (int i = 0; i < entries.size(); i++) {
      Map<String, Object> e = entries.get(i);
      Layout.Entry a = layout.entries().get(i);
      String where = recordType + " entry " + i + " " + e.get("path");
      assertEquals(e.get("kind"), a.group() ? "group" : "field", where);
      assertEquals(e.get("path"), a.path(), where);
      assertEquals(e.get("name"), a.name(), where);
      assertEquals(e.get("depth"), (long) a.depth(), where);
      assertEquals(e.get("position"), a.position(), where);
      assertEquals(e.get("position_after"), a.after(), where);
      if (a.group()) {
        assertEquals(e.get("occurrence_length"), a.occurrenceLength(), where);
        assertEquals(e.get("counter_field"), a.counterField(), where);
      } else {
        assertEquals(e.get("length"), a.length(), where);
        assertEquals(e.get("type"), a.type(), where);
        assertEquals(e.get("display_name"), a.displayName(), where);
      }
    }
  }

  /** Lines of bytes 0x80-0xFF and of lengths up to past the longest a record may be. */
  static Stream<Arguments> bytesAndLengths() throws IOException {
    byte[] dsko = Fixture.exampleLines().get(0);
    List<byte[]> identifiers = new ArrayList<>(); // the record identifier four high bytes
    List<byte[]> inside = new ArrayList<>(); // high bytes inside a DSKO_04 record
    for (int b = 0x80; b <= 0xFF; b += 4) {
      byte[] line = dsko.clone();
      byte[] other = dsko.clone();
      for (int i = 0; i < 4; i++) {
        line[i] = (byte) (b + i);
        for (int j = 0; j < 8; j++) other[100 + 8 * i + j] = (byte) (b + i);
      }
      identifiers.add(line);
      inside.add(other);
    }
    byte[] tail = Arrays.copyOf(dsko, dsko.length + 128);
    for (int i = 0; i < 128; i++) tail[dsko.length + i] = (byte) (0x80 + i);
    byte[] mebibyte = Arrays.copyOf(dsko, 1 << 20);
    Arrays.fill(mebibyte, dsko.length, mebibyte.length, (byte) 0xE4);
    byte[] tooLong = Arrays.copyOf(dsko, (64 << 20) + 1);
    Arrays.fill(tooLong, dsko.length, tooLong.length, (byte) 'A');
    return Stream.of(
        Arguments.of("record identifiers of bytes 0x80-0xFF", identifiers),
        Arguments.of("bytes 0x80-0xFF inside DSKO_04 records", inside),
        Arguments.of("bytes 0x80-0xFF after a DSKO_04 record", List.of(tail)),
        Arguments.of("a DSKO_04 record of 1 MiB", List.of(mebibyte)),
        Arguments.of("a line of 64 MiB and one byte", List.of(tooLong)));
  }

  @ParameterizedTest(name = "{0}")
  @MethodSource("bytesAndLengths")
  void bytesOfAnyValueAndLongLinesGiveWhatVexalGives(String what, List<byte[]> lines)
      throws IOException {
    Path file = Fixture.write(folder, "lines.txt", lines);
    List<Map<String, Object>> expected = Fixture.jsonl(List.of("--today", "20261208"), file);
    try (Checker checker = new Checker(Fixture.options())) {
      List<Result> results = new ArrayList<>();
      for (int i = 0; i < lines.size(); i++) {
        results.add(withFile(checker.checkLine(lines.get(i), i + 1), file.toString()));
      }
      Fixture.assertSameAsJsonl(expected, results);
      assertEquals(results, Fixture.all(checker.checkFile(file)));
    }
  }
}
