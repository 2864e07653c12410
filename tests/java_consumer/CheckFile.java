import java.nio.file.Path;
import java.util.stream.Stream;
import vexal.Checker;
import vexal.Finding;
import vexal.Options;
import vexal.Result;
import vexal.VexalException;

/**
 * Checks a record file through the vexal jar and prints what {@code vexal check} prints for it on
 * standard output, line for line, as examples/c/check_file.c does:
 *
 * <pre>
 *   FILE:LINE: RECORD-TYPE PLACE: TEXT       a finding
 *   FILE:LINE: RECORD-TYPE warning: TEXT     a record of the wrong length
 *   FILE:LINE: error: TEXT                   a line that cannot be checked
 *   FILE:LINE: warning: TEXT                 a file that is not Latin-1
 * </pre>
 *
 * Usage: java -cp vexal-1.0.jar:jna.jar:. CheckFile [--today JJJJMMTT] FILE. Exit status as
 * vexal's: 0 no findings, 1 findings or line errors, 2 usage or input/output errors.
 */
public final class CheckFile {
  public static void main(String[] args) {
    Options options = Options.defaults();
    int arg = 0;
    if (args.length == 3 && args[0].equals("--today")) {
      options = options.today(args[1]);
      arg = 2;
    } else if (args.length != 1) {
      System.err.println("usage: CheckFile [--today JJJJMMTT] FILE");
      System.exit(2);
    }
    String file = args[arg];
    long[] counts = new long[2]; // findings, line errors
    try (Checker checker = new Checker(options);
        Stream<Result> results = checker.checkFile(Path.of(file))) {
      results.forEach(r -> print(r, counts));
    } catch (VexalException e) {
      System.out.flush();
      System.err.println(file + ": error: " + e.getMessage() + " (" + e.status().cName() + ")");
      System.exit(2);
    }
    System.out.flush();
    System.exit(counts[0] + counts[1] > 0 ? 1 : 0);
  }

  private static String location(Result r) {
    return r.line() > 0 ? r.file() + ":" + r.line() + ": " : r.file() + ": ";
  }

  private static void print(Result r, long[] counts) {
    StringBuilder out = new StringBuilder();
    switch (r.kind()) {
      case FILE_WARNING -> out.append(location(r)).append("warning: ").append(r.fileWarning())
          .append('\n');
      case EMPTY -> {}
      case RECORD, ERROR -> {
        if (r.warning() != null) {
          out.append(location(r)).append(r.recordType()).append(" warning: ")
              .append(r.warning()).append('\n');
        }
        if (r.kind() == Result.Kind.ERROR) {
          out.append(location(r)).append("error: ").append(r.error()).append('\n');
          counts[1]++;
        }
        for (Finding f : r.findings()) {
          out.append(location(r)).append(r.recordType()).append(' ').append(f.label())
              .append(": ").append(f.text()).append('\n');
        }
        counts[0] += r.findings().size();
      }
    }
    System.out.print(out);
  }
}
