package vexal;

import java.util.List;

/**
 * The record layout of a record type, as {@code vexal layout --format json} shows it: {@code
 * recordLength} is {@code null} when groups vary in size, {@code built} false when the library
 * has an empty layout for the record type.
 */
public record Layout(
    String recordType,
    boolean built,
    long fieldCount,
    long minimumLength,
    Long recordLength,
    List<Entry> entries) {

  /**
   * A field or a group, in record order. {@code position} is 1-based: from the start of the
   * record, or in a group from the start of its occurrence; when {@code after} is set, from the end
   * of that group of variable size ({@code position_after} in json). Fields have {@code length},
   * {@code type} ("alphanumeric" or "numeric") and {@code displayName} (null when the rule set
   * names none); groups {@code occurrenceLength} (null when it varies), {@code counterField} and
   * {@code occurs}, in words.
   */
  public record Entry(
      boolean group,
      int depth,
      String path,
      String name,
      long position,
      String after,
      Long length,
      String type,
      String displayName,
      Long occurrenceLength,
      String counterField,
      String occurs) {}
}
