import com.sun.jna.Memory;
import com.sun.jna.Native;
import com.sun.jna.NativeLibrary;
import com.sun.jna.Pointer;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Stream;
import vexal.Checker;
import vexal.Options;
import vexal.Result;

/**
 * The time per line through the Java binding for the lines of a file: a bare JNA call of
 * vx_check_line (no objects made), Checker.checkLine (results as records) and Checker.checkFile,
 * in turn; the best of seven rounds after three that warm up. Prints "NAME ns_per_line N" lines.
 *
 *   java -cp vexal-1.0.jar:jna.jar:. -Dvexal.library.path=LIB CheckLineBench FILE
 */
public final class CheckLineBench {
  /** vx_check_line alone, mapped directly as the binding maps it. */
  static final class Bare {
    static native int vx_check_line(
        Pointer checker, byte[] line, long size, long lineNumber, Pointer resultOut);

    static native void vx_options_init(Pointer options);

    static native int vx_checker_new(Pointer options, Pointer out, Pointer message, long size);

    static native void vx_checker_free(Pointer checker);
  }

  interface Pass {
    void run() throws Exception;
  }

  /**
   * The best time per line of each pass over ten rounds, the passes in turn in each round; the
   * first three rounds warm the JIT and the heap up for all of them alike.
   */
  static double[] best(int lines, Pass... passes) throws Exception {
    double[] best = new double[passes.length];
    java.util.Arrays.fill(best, Double.MAX_VALUE);
    for (int round = 0; round < 10; round++) {
      for (int p = 0; p < passes.length; p++) {
        long start = System.nanoTime();
        passes[p].run();
        long took = System.nanoTime() - start;
        if (round >= 3) best[p] = Math.min(best[p], (double) took / lines);
      }
    }
    return best;
  }

  public static void main(String[] args) throws Exception {
    Path file = Path.of(args[0]);
    List<byte[]> lines = new ArrayList<>();
    for (String line : Files.readAllLines(file, java.nio.charset.StandardCharsets.ISO_8859_1)) {
      lines.add(line.getBytes(java.nio.charset.StandardCharsets.ISO_8859_1));
    }
    try (Checker checker = new Checker(Options.defaults().today("20261208"))) {
      // The bare call on a checker of its own, made through the same library.
      String library = System.getProperty("vexal.library.path");
      Native.register(Bare.class, NativeLibrary.getInstance(library));
      Memory options = new Memory(256);
      options.clear();
      Bare.vx_options_init(options);
      Memory today = new Memory(9);
      today.setString(0, "20261208", "UTF-8");
      options.setPointer(Native.POINTER_SIZE * 2L, today); // size, library_path, today
      Memory made = new Memory(8);
      Memory message = new Memory(512);
      if (Bare.vx_checker_new(options, made, message, 512) != 0) {
        throw new IllegalStateException(message.getString(0, "UTF-8"));
      }
      Pointer bare = made.getPointer(0);
      Memory out = new Memory(8);
      double[] figures = best(lines.size(),
        () -> {
          for (int i = 0; i < lines.size(); i++) {
            byte[] line = lines.get(i);
            if (Bare.vx_check_line(bare, line, line.length, i + 1, out) != 0) {
              throw new IllegalStateException("vx_check_line failed");
            }
          }
        },
        () -> {
          for (int i = 0; i < lines.size(); i++) checker.checkLine(lines.get(i), i + 1);
        },
        () -> {
          try (Stream<Result> results = checker.checkFile(file)) {
            results.forEach(r -> {});
          }
        });
      Bare.vx_checker_free(bare);
      System.out.printf("bare_jna_call ns_per_line %.0f%n", figures[0]);
      System.out.printf("checkLine ns_per_line %.0f%n", figures[1]);
      System.out.printf("checkFile ns_per_line %.0f%n", figures[2]);
    }
  }
}
