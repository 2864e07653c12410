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
 * vx_check_line (no objects made), Checker.checkLine (results as records) and Checker.checkFile;
 * best of five passes after two that warm the JIT up. Prints "NAME ns_per_line N" lines.
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

  static double best(Pass pass, int lines) throws Exception {
    double best = Double.MAX_VALUE;
    for (int i = 0; i < 7; i++) {
      long start = System.nanoTime();
      pass.run();
      long took = System.nanoTime() - start;
      if (i >= 2) best = Math.min(best, took);
    }
    return best / lines;
  }

  public static void main(String[] args) throws Exception {
    Path file = Path.of(args[0]);
    List<byte[]> lines = new ArrayList<>();
    for (String line : Files.readAllLines(file, java.nio.charset.StandardCharsets.ISO_8859_1)) {
      lines.add(line.getBytes(java.nio.charset.StandardCharsets.ISO_8859_1));
    }
    try (Checker checker = new Checker(Options.defaults().today("20261208"))) {
      // The bare call on a checker of its own, made through the same library.
      Native.register(Bare.class, NativeLibrary.getInstance(System.getProperty("vexal.library.path")));
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
      double[] figures = {
        best(() -> {
          for (int i = 0; i < lines.size(); i++) {
            byte[] line = lines.get(i);
            Bare.vx_check_line(bare, line, line.length, i + 1, out);
          }
        }, lines.size()),
        best(() -> {
          for (int i = 0; i < lines.size(); i++) checker.checkLine(lines.get(i), i + 1);
        }, lines.size()),
        best(() -> {
          try (Stream<Result> results = checker.checkFile(file)) {
            results.forEach(r -> {});
          }
        }, lines.size())
      };
      Bare.vx_checker_free(bare);
      System.out.printf("bare_jna_call ns_per_line %.0f%n", figures[0]);
      System.out.printf("checkLine ns_per_line %.0f%n", figures[1]);
      System.out.printf("checkFile ns_per_line %.0f%n", figures[2]);
    }
  }
}
