package vexal;

/** The outcome of a call of libvexalcheck: the {@code vx_status} of {@code vexal/check.h}. */
public enum Status {
  OK(0),
  /** A malformed date, an unknown record type, a negative level, a closed checker, ... */
  INVALID_ARGUMENT(1),
  /** libvexalcheck or libvexal cannot be loaded, or is not what it should be. */
  LIBRARY_ERROR(2),
  /** A file cannot be opened or read, or an {@code InputStream} failed. */
  IO_ERROR(3),
  OUT_OF_MEMORY(4),
  STOPPED(5),
  INTERNAL_ERROR(6),
  /** The checker is in use by another call: from another thread, or from the stream it reads. */
  BUSY(7),
  /** A value no function of the library returns. */
  UNKNOWN(-1);

  private final int code;

  Status(int code) {
    this.code = code;
  }

  /** The C value, e.g. 1 for {@code VX_INVALID_ARGUMENT}; -1 for {@link #UNKNOWN}. */
  public int code() {
    return code;
  }

  /** The C name, e.g. {@code "VX_INVALID_ARGUMENT"}, as {@code vx_status_name()} gives it. */
  public String cName() {
    return this == UNKNOWN ? "VX_UNKNOWN_STATUS" : "VX_" + name();
  }

  static Status of(int code) {
    for (Status status : values()) {
      if (status.code == code && status != UNKNOWN) return status;
    }
    return UNKNOWN;
  }
}
