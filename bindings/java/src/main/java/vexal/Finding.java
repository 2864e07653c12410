package vexal;

/**
 * A failed rule or a field that does not conform. The components are the keys of a {@code
 * finding} object of {@code vexal check --format jsonl}, in Java naming and with the same values
 * ({@code null} for JSON {@code null}); the object's {@code kind} is {@code "finding"}. {@code
 * file} is the path given to {@link Checker#checkFile}, the name given to {@link Checker#check}
 * ({@code "-"} by default), or {@code null} for {@link Checker#checkLine}. {@code label} and {@code
 * text} are what the text format prints: {@code FILE:LINE: RECORD-TYPE label: text}.
 */
public record Finding(
    String file,
    long line,
    String recordType,
    String id,
    String check,
    String code,
    int problemType,
    int weight,
    int infoType,
    String shortDescription,
    String longDescription,
    String correctionInfo,
    String referenceTopic,
    String referenceField,
    String fieldDisplayName,
    Integer fieldType,
    Integer fieldLength,
    String fieldMask,
    String exception,
    String label,
    String text) {}
