package vexal;

import java.nio.file.Path;
import java.time.LocalDate;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;

/**
 * How a checker checks: {@code vx_options}. Immutable; each {@code with} method gives a copy with
 * one setting changed. The library checks the values when the checker is made and throws {@link
 * VexalException} with its message for a bad one.
 *
 * <pre>{@code
 * Options options = Options.defaults().today("20261208").param("ipMjahrSchalttag", "1201");
 * }</pre>
 */
public final class Options {
  private static final DateTimeFormatter DATE = DateTimeFormatter.BASIC_ISO_DATE;

  private final String today;
  private final List<Map.Entry<String, String>> params;
  private final int level;
  private final String recordType;
  private final Path libraryPath;

  private Options(
      String today,
      List<Map.Entry<String, String>> params,
      int level,
      String recordType,
      Path libraryPath) {
    this.today = today;
    this.params = List.copyOf(params);
    this.level = level;
    this.recordType = recordType;
    this.libraryPath = libraryPath;
  }

  /** The library's defaults: the local date, no parameters beyond the default, level 1. */
  public static Options defaults() {
    return new Options(null, List.of(), 1, null, null);
  }

  /** The processing date {@code "JJJJMMTT"}; {@code null} for the local date. */
  public Options today(String date) {
    return new Options(date, params, level, recordType, libraryPath);
  }

  public Options today(LocalDate date) {
    return today(date == null ? null : date.format(DATE));
  }

  /** Adds an init parameter, set after the default {@code ipMjahrSchalttag=1201}; a later wins. */
  public Options param(String name, String value) {
    List<Map.Entry<String, String>> more = new ArrayList<>(params);
    more.add(Map.entry(name, value));
    return new Options(today, more, level, recordType, libraryPath);
  }

  /** The problem-weight level, 0 or greater; above 1 the check procedures are skipped. */
  public Options level(int level) {
    return new Options(today, params, level, recordType, libraryPath);
  }

  /** Checks every line as this record type ({@code "DSKO_04"}, ...); {@code null}: tell it. */
  public Options recordType(String recordType) {
    return new Options(today, params, level, recordType, libraryPath);
  }

  /** The libvexal to load; {@code null}: the one beside libvexalcheck. */
  public Options libraryPath(Path path) {
    return new Options(today, params, level, recordType, path);
  }

  public String today() {
    return today;
  }

  public List<Map.Entry<String, String>> params() {
    return params;
  }

  public int level() {
    return level;
  }

  public String recordType() {
    return recordType;
  }

  public Path libraryPath() {
    return libraryPath;
  }

  @Override
  public String toString() {
    return "Options[today=" + today + ", params=" + params + ", level=" + level + ", recordType="
        + recordType + ", libraryPath=" + libraryPath + "]";
  }
}
