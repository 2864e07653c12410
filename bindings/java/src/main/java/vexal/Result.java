package vexal;

import java.util.List;

/**
 * What one line gave, or a warning about the whole file.
 *
 * <p>In jsonl terms a result of kind {@link Kind#RECORD} is an optional {@code warning} object,
 * the {@code finding} objects and the {@code record} object of its line; {@link Kind#ERROR} an
 * optional {@code warning} and the {@code error} object; {@link Kind#FILE_WARNING} the {@code
 * file_warning} object. The keys map to components: {@code file}, {@code line} (0 where jsonl has
 * {@code null}), {@code record_type}, the warning's {@code message} ({@link #warning()}), {@code
 * expected_length}, {@code actual_length}, the error's {@code message} ({@link #error()}), the file
 * warning's {@code message} ({@link #fileWarning()}) and the record's {@code findings} (the size
 * of {@link #findings()}). Both lengths are set whenever {@code recordType} is.
 */
public record Result(
    Kind kind,
    String file,
    long line,
    String recordType,
    String warning,
    Long expectedLength,
    Long actualLength,
    String error,
    String fileWarning,
    List<Finding> findings) {

  /** What a result is about: {@code vx_kind}. */
  public enum Kind {
    /** An empty line given to {@link Checker#checkLine}: nothing to check. */
    EMPTY,
    /** A line checked as a record; findings when it has faults. */
    RECORD,
    /** A line that could not be checked; {@link Result#error()} says why. */
    ERROR,
    /** About the file as a whole; {@link Result#fileWarning()} says what. */
    FILE_WARNING;

    /** The jsonl {@code kind} of the object that closes such a result. */
    public String jsonKind() {
      return switch (this) {
        case EMPTY -> "empty";
        case RECORD -> "record";
        case ERROR -> "error";
        case FILE_WARNING -> "file_warning";
      };
    }
  }
}
