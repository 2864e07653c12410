package vexal;

import com.sun.jna.Pointer;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.util.List;

/**
 * Results and layouts of the library as Java records. The structs are read at offsets JNA computes
 * once from their declarations in {@link CApi}: a result and its findings are copied into Java in
 * one call each and read there, since every read of native memory is a call through JNI of its
 * own; then one call per text.
 */
final class Convert {
  private static final Result.Kind[] KINDS = Result.Kind.values(); // in vx_kind order

  // vx_result
  private static final int R_SIZE;
  private static final int R_KIND, R_LINE, R_RECORD_TYPE, R_WARNING, R_EXPECTED, R_ACTUAL,
      R_ERROR, R_FILE_WARNING, R_COUNT, R_FINDINGS;
  // vx_finding
  private static final int F_SIZE, F_ID, F_CHECK, F_CODE, F_PROBLEM_TYPE, F_WEIGHT, F_INFO_TYPE,
      F_SHORT, F_LONG, F_CORRECTION, F_TOPIC, F_FIELD, F_DISPLAY_NAME, F_TYPE, F_LENGTH, F_MASK,
      F_EXCEPTION, F_LABEL, F_TEXT;
  // vx_layout
  private static final long L_RECORD_TYPE, L_BUILT, L_FIELD_COUNT, L_MINIMUM, L_LENGTH, L_COUNT,
      L_ENTRIES;
  // vx_layout_entry
  private static final long E_SIZE, E_GROUP, E_DEPTH, E_PATH, E_NAME, E_POSITION, E_AFTER,
      E_LENGTH, E_TYPE, E_DISPLAY_NAME, E_OCCURRENCE, E_COUNTER, E_OCCURS;

  static {
    CApi.ResultStruct r = new CApi.ResultStruct();
    R_SIZE = r.size();
    R_KIND = r.offset("kind");
    R_LINE = r.offset("line");
    R_RECORD_TYPE = r.offset("record_type");
    R_WARNING = r.offset("warning");
    R_EXPECTED = r.offset("expected_length");
    R_ACTUAL = r.offset("actual_length");
    R_ERROR = r.offset("error");
    R_FILE_WARNING = r.offset("file_warning");
    R_COUNT = r.offset("finding_count");
    R_FINDINGS = r.offset("findings");
    CApi.FindingStruct f = new CApi.FindingStruct();
    F_SIZE = f.size();
    F_ID = f.offset("id");
    F_CHECK = f.offset("check");
    F_CODE = f.offset("code");
    F_PROBLEM_TYPE = f.offset("problem_type");
    F_WEIGHT = f.offset("weight");
    F_INFO_TYPE = f.offset("info_type");
    F_SHORT = f.offset("short_description");
    F_LONG = f.offset("long_description");
    F_CORRECTION = f.offset("correction_info");
    F_TOPIC = f.offset("reference_topic");
    F_FIELD = f.offset("reference_field");
    F_DISPLAY_NAME = f.offset("field_display_name");
    F_TYPE = f.offset("field_type");
    F_LENGTH = f.offset("field_length");
    F_MASK = f.offset("field_mask");
    F_EXCEPTION = f.offset("exception");
    F_LABEL = f.offset("label");
    F_TEXT = f.offset("text");
    CApi.LayoutStruct l = new CApi.LayoutStruct();
    L_RECORD_TYPE = l.offset("record_type");
    L_BUILT = l.offset("built");
    L_FIELD_COUNT = l.offset("field_count");
    L_MINIMUM = l.offset("minimum_length");
    L_LENGTH = l.offset("record_length");
    L_COUNT = l.offset("entry_count");
    L_ENTRIES = l.offset("entries");
    CApi.LayoutEntryStruct e = new CApi.LayoutEntryStruct();
    E_SIZE = e.size();
    E_GROUP = e.offset("is_group");
    E_DEPTH = e.offset("depth");
    E_PATH = e.offset("path");
    E_NAME = e.offset("name");
    E_POSITION = e.offset("position");
    E_AFTER = e.offset("after");
    E_LENGTH = e.offset("length");
    E_TYPE = e.offset("type");
    E_DISPLAY_NAME = e.offset("display_name");
    E_OCCURRENCE = e.offset("occurrence_length");
    E_COUNTER = e.offset("counter_field");
    E_OCCURS = e.offset("occurs");
  }

  private Convert() {}

  /** The text at a native address, or null. */
  private static String text(long address) {
    return address == 0 ? null : new Pointer(address).getString(0, "UTF-8");
  }

  static Result result(Pointer at, String file) {
    ByteBuffer r = ByteBuffer.wrap(at.getByteArray(0, R_SIZE)).order(ByteOrder.nativeOrder());
    int kind = r.getInt(R_KIND);
    if (kind < 0 || kind >= KINDS.length) {
      throw new VexalException(Status.INTERNAL_ERROR, "a result of unknown kind " + kind);
    }
    long line = r.getLong(R_LINE);
    String recordType = text(r.getLong(R_RECORD_TYPE));
    boolean cut = recordType != null;
    int count = Math.toIntExact(r.getLong(R_COUNT));
    List<Finding> findings = List.of();
    if (count > 0) {
      ByteBuffer f = ByteBuffer.wrap(new Pointer(r.getLong(R_FINDINGS)).getByteArray(0,
          count * F_SIZE)).order(ByteOrder.nativeOrder());
      Finding[] made = new Finding[count];
      for (int i = 0; i < count; i++) made[i] = finding(f, i * F_SIZE, file, line, recordType);
      findings = List.of(made);
    }
    return new Result(
        KINDS[kind],
        file,
        line,
        recordType,
        text(r.getLong(R_WARNING)),
        cut ? r.getLong(R_EXPECTED) : null,
        cut ? r.getLong(R_ACTUAL) : null,
        text(r.getLong(R_ERROR)),
        text(r.getLong(R_FILE_WARNING)),
        findings);
  }

  private static Finding finding(ByteBuffer f, int at, String file, long line, String recordType) {
    int fieldType = f.getInt(at + F_TYPE);
    int fieldLength = f.getInt(at + F_LENGTH);
    return new Finding(
        file,
        line,
        recordType,
        text(f.getLong(at + F_ID)),
        text(f.getLong(at + F_CHECK)),
        text(f.getLong(at + F_CODE)),
        f.getInt(at + F_PROBLEM_TYPE),
        f.getInt(at + F_WEIGHT),
        f.getInt(at + F_INFO_TYPE),
        text(f.getLong(at + F_SHORT)),
        text(f.getLong(at + F_LONG)),
        text(f.getLong(at + F_CORRECTION)),
        text(f.getLong(at + F_TOPIC)),
        text(f.getLong(at + F_FIELD)),
        text(f.getLong(at + F_DISPLAY_NAME)),
        fieldType < 0 ? null : fieldType,
        fieldLength < 0 ? null : fieldLength,
        text(f.getLong(at + F_MASK)),
        text(f.getLong(at + F_EXCEPTION)),
        text(f.getLong(at + F_LABEL)),
        text(f.getLong(at + F_TEXT)));
  }

  static Layout layout(Pointer l) {
    int count = Math.toIntExact(l.getLong(L_COUNT));
    Pointer e = l.getPointer(L_ENTRIES);
    Layout.Entry[] entries = new Layout.Entry[count];
    for (int i = 0; i < count; i++) {
      long at = i * E_SIZE;
      boolean group = e.getInt(at + E_GROUP) != 0;
      long occurrence = e.getLong(at + E_OCCURRENCE);
      entries[i] = new Layout.Entry(
          group,
          e.getInt(at + E_DEPTH),
          CApi.text(e, at + E_PATH),
          CApi.text(e, at + E_NAME),
          e.getLong(at + E_POSITION),
          CApi.text(e, at + E_AFTER),
          group ? null : e.getLong(at + E_LENGTH),
          CApi.text(e, at + E_TYPE),
          CApi.text(e, at + E_DISPLAY_NAME),
          group && occurrence >= 0 ? occurrence : null,
          CApi.text(e, at + E_COUNTER),
          CApi.text(e, at + E_OCCURS));
    }
    long length = l.getLong(L_LENGTH);
    return new Layout(
        CApi.text(l, L_RECORD_TYPE),
        l.getInt(L_BUILT) != 0,
        l.getLong(L_FIELD_COUNT),
        l.getLong(L_MINIMUM),
        length < 0 ? null : length,
        List.of(entries));
  }
}
