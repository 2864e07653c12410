package vexal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertInstanceOf;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Iterator;
import java.util.List;
import java.util.function.Consumer;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/** Bad options and calls give the library's status and message; a closed checker refuses. */
class MisuseTest {
  static Stream<Arguments> badOptions() {
    return Stream.of(
        Arguments.of(Options.defaults().today("8.12.2026"), Status.INVALID_ARGUMENT,
            "today wants a date JJJJMMTT, e.g. 20261208, not '8.12.2026'"),
        Arguments.of(Fixture.options().recordType("XXXX_01"), Status.INVALID_ARGUMENT,
            "unknown record type 'XXXX_01' (use DSAS_01, DSAS_02, DSKO_04, DSLN_01 or DSLN_02)"),
        Arguments.of(Fixture.options().level(-1), Status.INVALID_ARGUMENT,
            "level wants a number 0 or greater, not -1"),
        Arguments.of(Fixture.options().param("", "1"), Status.INVALID_ARGUMENT,
            "params[0] wants a name and a value"),
        Arguments.of(Fixture.options().param("ipMjahrSchalttag", "1201").param("nope", "1"),
            Status.INVALID_ARGUMENT, "unknown init parameter 'nope' (known: ipMjahrSchalttag)"),
        Arguments.of(Fixture.options().libraryPath(Path.of("/nonexistent/libvexal.so")),
            Status.LIBRARY_ERROR, "cannot load the library /nonexistent/libvexal.so: "
                + "/nonexistent/libvexal.so: cannot open shared object file: No such file or "
                + "directory"),
        // Refused before the library: C cannot take a text with NUL.
        Arguments.of(Options.defaults().today("2026\u00001208"), Status.INVALID_ARGUMENT,
            "today holds a NUL character"));
  }

  @ParameterizedTest
  @MethodSource("badOptions")
  void badOptionsThrowTheLibrarysStatusAndMessage(Options options, Status status, String message) {
    VexalException e = assertThrows(VexalException.class, () -> new Checker(options));
    assertEquals(status, e.status());
    assertEquals(message, e.getMessage());
  }

  static Stream<Arguments> badCalls() {
    return Stream.of(
        Arguments.of("layout of an unknown type", (Consumer<Checker>) c -> c.layout("XX"),
            Status.INVALID_ARGUMENT, "unknown record type 'XX'"),
        Arguments.of("a file that is not there",
            (Consumer<Checker>) c -> c.checkFile(Path.of("/nonexistent/records.txt")),
            Status.IO_ERROR, "cannot open /nonexistent/records.txt: No such file or directory"));
  }

  @ParameterizedTest(name = "{0}")
  @MethodSource("badCalls")
  void badCallsThrowTheLibrarysStatusAndMessage(
      String what, Consumer<Checker> call, Status status, String message) {
    try (Checker checker = new Checker(Fixture.options())) {
      VexalException e = assertThrows(VexalException.class, () -> call.accept(checker));
      assertEquals(status, e.status());
      assertEquals(message, e.getMessage());
      assertEquals(0, checker.checkLine(Fixture.exampleLines().get(0)).findings().size());
    } catch (IOException e) {
      throw new AssertionError(e);
    }
  }

  static Stream<Arguments> callsAfterClose() {
    byte[] line = "DSKO".getBytes();
    return Stream.of(
        Arguments.of("checkLine", (Consumer<Checker>) c -> c.checkLine(line)),
        Arguments.of("checkFile", (Consumer<Checker>) c -> c.checkFile(Fixture.EXAMPLE)),
        Arguments.of("check", (Consumer<Checker>) c -> c.check(new ByteArrayInputStream(line))),
        Arguments.of("layout", (Consumer<Checker>) c -> c.layout("DSKO_04")));
  }

  @ParameterizedTest(name = "{0}")
  @MethodSource("callsAfterClose")
  void callsAfterCloseThrow(String what, Consumer<Checker> call) {
    Checker checker = new Checker(Fixture.options());
    Iterator<Result> open = checker.checkFile(Fixture.EXAMPLE).iterator();
    open.next();
    checker.close();
    checker.close(); // a second close does nothing
    assertTrue(checker.isClosed());
    VexalException e = assertThrows(VexalException.class, () -> call.accept(checker));
    assertEquals(Status.INVALID_ARGUMENT, e.status());
    assertEquals("the checker is closed", e.getMessage());
    assertThrows(VexalException.class, open::hasNext);
  }

  @Test
  void aReadErrorEndsTheCheckWithItsCauseAndLeavesTheCheckerUsable() throws IOException {
    byte[] example = Files.readAllBytes(Fixture.EXAMPLE);
    IOException failure = new IOException("the disk went away");
    InputStream failing = new InputStream() {
      int read;

      @Override
      public int read() throws IOException {
        if (read == example.length / 2) throw failure;
        return example[read++] & 0xFF;
      }
    };
    List<Result> whole;
    try (Checker other = new Checker(Fixture.options())) {
      whole = Fixture.all(other.checkFile(Fixture.EXAMPLE));
    }
    try (Checker checker = new Checker(Fixture.options())) {
      Iterator<Result> results = checker.check(failing, Fixture.EXAMPLE.toString()).iterator();
      int[] before = {0};
      VexalException e = assertThrows(VexalException.class, () -> {
        while (results.hasNext()) {
          assertEquals(whole.get(before[0]++), results.next());
        }
      });
      assertEquals(Status.IO_ERROR, e.status());
      assertEquals(failure, e.getCause());
      assertTrue(e.getMessage().endsWith("the disk went away"), e.getMessage());
      assertTrue(before[0] > 0 && before[0] < whole.size(), "results before the error");
      assertFalse(results.hasNext());
      assertEquals(whole, Fixture.all(checker.checkFile(Fixture.EXAMPLE)));
    }
  }

  @Test
  void aCallFromTheStreamBeingReadIsRefusedAsBusy() throws IOException {
    try (Checker checker = new Checker(Fixture.options())) {
      byte[] line = Fixture.exampleLines().get(0);
      InputStream reentrant = new InputStream() {
        @Override
        public int read() {
          checker.checkLine(line);
          return -1;
        }
      };
      VexalException e = assertThrows(VexalException.class,
          () -> Fixture.all(checker.check(reentrant)));
      assertEquals(Status.IO_ERROR, e.status());
      VexalException busy = assertInstanceOf(VexalException.class, e.getCause());
      assertEquals(Status.BUSY, busy.status());
      assertEquals(0, checker.checkLine(line).findings().size());
    }
  }

  @Test
  void openingAnotherInputEndsTheOneBefore() {
    try (Checker checker = new Checker(Fixture.options())) {
      Iterator<Result> first = checker.checkFile(Fixture.EXAMPLE).iterator();
      Result head = first.next();
      List<Result> second = Fixture.all(checker.checkFile(Fixture.EXAMPLE));
      assertEquals(head, second.get(0));
      assertThrows(IllegalStateException.class, first::hasNext);
      assertFalse(first.hasNext());
    }
  }

  /** How many descriptors of this process have the example open. */
  private static long openOnExample() throws IOException {
    Path example = Fixture.EXAMPLE.toRealPath();
    try (Stream<Path> fds = Files.list(Path.of("/proc/self/fd"))) {
      return fds.filter(fd -> {
        try {
          return Files.readSymbolicLink(fd).equals(example);
        } catch (IOException gone) {
          return false;
        }
      }).count();
    }
  }

  @Test
  void theFileIsClosedAfterTheLastResultAndWhenTheStreamIsClosedEarly() throws IOException {
    try (Checker checker = new Checker(Fixture.options())) {
      long before = openOnExample();
      Stream<Result> stream = checker.checkFile(Fixture.EXAMPLE);
      Iterator<Result> results = stream.iterator();
      results.next();
      assertEquals(before + 1, openOnExample());
      stream.close();
      assertEquals(before, openOnExample());
      assertFalse(results.hasNext());

      Iterator<Result> all = checker.checkFile(Fixture.EXAMPLE).iterator();
      while (all.hasNext()) all.next();
      assertEquals(before, openOnExample());
    }
  }
}
