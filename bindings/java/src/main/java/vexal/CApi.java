package vexal;

import com.sun.jna.Callback;
import com.sun.jna.Memory;
import com.sun.jna.Native;
import com.sun.jna.NativeLibrary;
import com.sun.jna.Pointer;
import com.sun.jna.Structure;
import java.nio.charset.StandardCharsets;

/**
 * The functions of {@code vexal/check.h}, mapped directly, and where the fields of its structs
 * lie. The library is bound on first use by {@link #api()}, so that a missing library surfaces as
 * a {@link VexalException} instead of a class that fails to initialize.
 *
 * <p>size_t is taken as Java {@code long}: the natives are built for 64-bit Linux and Windows only,
 * where size_t, pointers and long long all have 8 bytes; {@link #api()} refuses anything else.
 */
final class CApi {
  static final String VERSION = "1.0";

  private static volatile boolean bound;

  private CApi() {}

  static native Pointer vx_status_name(int status);

  static native Pointer vx_version();

  static native void vx_options_init(OptionsStruct options);

  static native int vx_checker_new(
      OptionsStruct options, Pointer checkerOut, Pointer message, long messageSize);

  static native void vx_checker_free(Pointer checker);

  static native Pointer vx_checker_message(Pointer checker);

  static native int vx_check_line(
      Pointer checker, byte[] line, long size, long lineNumber, Pointer resultOut);

  static native int vx_input_open_file(Pointer checker, Pointer path);

  static native int vx_input_open_stream(Pointer checker, ReadCallback read, Pointer context);

  static native int vx_input_next(Pointer checker, Pointer resultOut);

  static native void vx_input_close(Pointer checker);

  static native int vx_checker_layout(Pointer checker, Pointer recordType, Pointer layoutOut);

  /** vx_read_callback: up to size bytes into buffer; how many, 0 at the end, -1 after an error. */
  interface ReadCallback extends Callback {
    long invoke(Pointer context, Pointer buffer, long size);
  }

  /** Binds the functions to libvexalcheck, found by {@link Natives}, once. */
  static void api() {
    if (bound) return;
    synchronized (CApi.class) {
      if (bound) return;
      if (Native.POINTER_SIZE != 8 || Native.SIZE_T_SIZE != 8) {
        throw new VexalException(
            Status.LIBRARY_ERROR, "vexal needs a 64-bit Java; this one has pointers of "
                + Native.POINTER_SIZE + " bytes");
      }
      String path = Natives.libvexalcheck();
      NativeLibrary library;
      try {
        library = NativeLibrary.getInstance(path);
        Native.register(CApi.class, library);
      } catch (UnsatisfiedLinkError | IllegalArgumentException e) {
        throw new VexalException(
            Status.LIBRARY_ERROR, "cannot load " + path + ": " + e.getMessage(), e);
      }
      String version = text(vx_version());
      if (!VERSION.equals(version)) {
        throw new VexalException(
            Status.LIBRARY_ERROR,
            path + " is libvexalcheck " + version + "; this binding needs " + VERSION);
      }
      bound = true;
    }
  }

  /** A NUL-terminated UTF-8 text of the library, or null. */
  static String text(Pointer p) {
    return p == null ? null : p.getString(0, "UTF-8");
  }

  /** The text a pointer field at offset of a struct points to, or null. */
  static String text(Pointer struct, long offset) {
    Pointer p = struct.getPointer(offset);
    return p == null ? null : p.getString(0, "UTF-8");
  }

  /** A text for the library: UTF-8, NUL-terminated, in memory of its own; null stays null. */
  static Memory utf8(String name, String value) {
    if (value == null) return null;
    if (value.indexOf('\0') >= 0) {
      throw new VexalException(Status.INVALID_ARGUMENT, name + " holds a NUL character");
    }
    byte[] bytes = value.getBytes(StandardCharsets.UTF_8);
    Memory memory = new Memory(bytes.length + 1L);
    memory.write(0, bytes, 0, bytes.length);
    memory.setByte(bytes.length, (byte) 0);
    return memory;
  }

  // --- structs

  /** vx_options; written before and read after each call that takes it. */
  @Structure.FieldOrder({
    "size", "library_path", "today", "params", "param_count", "level", "record_type"
  })
  public static final class OptionsStruct extends Structure {
    public long size;
    public Pointer library_path;
    public Pointer today;
    public Pointer params;
    public long param_count;
    public int level;
    public Pointer record_type;
  }

  /** vx_param, for its size and offsets. */
  @Structure.FieldOrder({"name", "value"})
  public static final class ParamStruct extends Structure {
    public Pointer name;
    public Pointer value;

    int offset(String field) {
      return fieldOffset(field);
    }
  }

  /** vx_result, for its offsets: results are read field by field, not through reflection. */
  @Structure.FieldOrder({
    "kind", "line", "record_type", "warning", "expected_length", "actual_length", "error",
    "file_warning", "finding_count", "findings"
  })
  public static final class ResultStruct extends Structure {
    public int kind;
    public long line;
    public Pointer record_type;
    public Pointer warning;
    public long expected_length;
    public long actual_length;
    public Pointer error;
    public Pointer file_warning;
    public long finding_count;
    public Pointer findings;

    int offset(String field) {
      return fieldOffset(field);
    }
  }

  /** vx_finding, for its size and offsets. */
  @Structure.FieldOrder({
    "id", "check", "code", "problem_type", "weight", "info_type", "short_description",
    "long_description", "correction_info", "reference_topic", "reference_field",
    "field_display_name", "field_type", "field_length", "field_mask", "exception", "label", "text"
  })
  public static final class FindingStruct extends Structure {
    public Pointer id;
    public Pointer check;
    public Pointer code;
    public int problem_type;
    public int weight;
    public int info_type;
    public Pointer short_description;
    public Pointer long_description;
    public Pointer correction_info;
    public Pointer reference_topic;
    public Pointer reference_field;
    public Pointer field_display_name;
    public int field_type;
    public int field_length;
    public Pointer field_mask;
    public Pointer exception;
    public Pointer label;
    public Pointer text;

    int offset(String field) {
      return fieldOffset(field);
    }
  }

  /** vx_layout, for its offsets. */
  @Structure.FieldOrder({
    "record_type", "built", "field_count", "minimum_length", "record_length", "entry_count",
    "entries"
  })
  public static final class LayoutStruct extends Structure {
    public Pointer record_type;
    public int built;
    public long field_count;
    public long minimum_length;
    public long record_length;
    public long entry_count;
    public Pointer entries;

    int offset(String field) {
      return fieldOffset(field);
    }
  }

  /** vx_layout_entry, for its size and offsets. */
  @Structure.FieldOrder({
    "is_group", "depth", "path", "name", "position", "after", "length", "type", "display_name",
    "occurrence_length", "counter_field", "occurs"
  })
  public static final class LayoutEntryStruct extends Structure {
    public int is_group;
    public int depth;
    public Pointer path;
    public Pointer name;
    public long position;
    public Pointer after;
    public long length;
    public Pointer type;
    public Pointer display_name;
    public long occurrence_length;
    public Pointer counter_field;
    public Pointer occurs;

    int offset(String field) {
      return fieldOffset(field);
    }
  }
}
