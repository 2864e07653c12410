package vexal;

/**
 * A call of libvexalcheck failed. {@link #status()} is its C status, {@link #getMessage()} the
 * library's message (UTF-8 from {@code vx_checker_message()} or {@code vx_checker_new()}),
 * unchanged.
 */
public class VexalException extends RuntimeException {
  private static final long serialVersionUID = 1L;

  private final Status status;

  public VexalException(Status status, String message) {
    super(message);
    this.status = status;
  }

  public VexalException(Status status, String message, Throwable cause) {
    super(message, cause);
    this.status = status;
  }

  public Status status() {
    return status;
  }

  @Override
  public String toString() {
    return "VexalException[" + status.cName() + "]: " + getMessage();
  }
}
