package vexal;

import com.sun.jna.Memory;
import com.sun.jna.Pointer;
import java.io.InputStream;
import java.lang.ref.Cleaner;
import java.lang.ref.Reference;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Iterator;
import java.util.List;
import java.util.Map;
import java.util.NoSuchElementException;
import java.util.Objects;
import java.util.Spliterator;
import java.util.Spliterators;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.stream.Stream;
import java.util.stream.StreamSupport;

/**
 * Checks record lines with the rule sets of libvexal through libvexalcheck, the C API of {@code
 * vexal/check.h}: a {@code vx_checker}.
 *
 * <pre>{@code
 * try (Checker checker = new Checker(Options.defaults().today("20261208"));
 *     Stream<Result> results = checker.checkFile(Path.of("examples/transmission.txt"))) {
 *   results.forEach(r -> r.findings().forEach(f -> System.out.println(r.line() + " " + f.code())));
 * }
 * }</pre>
 *
 * <p><b>Threads.</b> A checker is not thread-safe: it serves one call at a time, as the C API's
 * checker does. A call while another runs on it, from a second thread or from the {@code
 * InputStream} it is reading, throws {@link VexalException} with {@link Status#BUSY} at once
 * instead of waiting or mixing results. Use one checker per thread (per task or partition in a
 * distributed job); separate checkers check in parallel, each with rule sets of its own. A checker
 * reads one file or stream at a time: opening another ends the results of the one before.
 *
 * <p><b>Lifetime.</b> Close it, best with try-with-resources, to free its native memory at once;
 * a checker that is never closed is freed by a {@link Cleaner} once it is unreachable. Every call
 * after {@link #close()} throws {@link VexalException} ({@link Status#INVALID_ARGUMENT}).
 */
public final class Checker implements AutoCloseable {
  private static final Cleaner CLEANER = Cleaner.create();
  private static final int CHUNK = 64 * 1024;

  private final Handle handle;
  private final Cleaner.Cleanable cleanable;
  private final AtomicBoolean busy = new AtomicBoolean();
  private final Memory out = new Memory(8); // the result or layout a call hands out
  private long input; // the serial number of the open file or stream, 0 for none
  private long serials; // the serial numbers given
  private CApi.ReadCallback reader; // the open stream's, kept from the collector
  private Throwable readError; // what the open stream's read() threw

  /** A checker with the library's defaults. */
  public Checker() {
    this(Options.defaults());
  }

  /** A checker made with options; a bad option throws {@link VexalException} with its reason. */
  public Checker(Options options) {
    Objects.requireNonNull(options, "options");
    CApi.api();
    List<Object> keep = new ArrayList<>(); // native texts, alive until vx_checker_new returns
    CApi.OptionsStruct o = new CApi.OptionsStruct();
    CApi.vx_options_init(o);
    o.today = keep(keep, CApi.utf8("today", options.today()));
    o.record_type = keep(keep, CApi.utf8("recordType", options.recordType()));
    Path library = options.libraryPath();
    String libraryText = library == null ? null : library.toString();
    o.library_path = keep(keep, CApi.utf8("libraryPath", libraryText));
    o.level = options.level();
    List<Map.Entry<String, String>> params = options.params();
    if (!params.isEmpty()) {
      CApi.ParamStruct layout = new CApi.ParamStruct();
      long size = layout.size();
      Memory array = keep(keep, new Memory(size * params.size()));
      for (int i = 0; i < params.size(); i++) {
        Map.Entry<String, String> param = params.get(i);
        array.setPointer(
            i * size + layout.offset("name"),
            keep(keep, CApi.utf8("a parameter name", param.getKey())));
        array.setPointer(
            i * size + layout.offset("value"),
            keep(keep, CApi.utf8("parameter " + param.getKey(), param.getValue())));
      }
      o.params = array;
    }
    o.param_count = params.size();
    Memory message = new Memory(1024);
    message.setByte(0, (byte) 0);
    Memory made = new Memory(8);
    made.setPointer(0, null);
    int status = CApi.vx_checker_new(o, made, message, message.size());
    Reference.reachabilityFence(keep);
    if (status != 0) throw new VexalException(Status.of(status), CApi.text(message));
    handle = new Handle(made.getPointer(0));
    cleanable = CLEANER.register(this, handle);
  }

  private static <T> T keep(List<Object> keep, T value) {
    if (value != null) keep.add(value);
    return value;
  }

  /** Frees the checker; closing twice does nothing. Throws BUSY while a call on it runs. */
  @Override
  public void close() {
    if (handle.pointer == null) return;
    enter();
    try {
      reader = null;
      cleanable.clean();
    } finally {
      busy.set(false);
    }
  }

  /** Whether {@link #close()} has freed the checker. */
  public boolean isClosed() {
    return handle.pointer == null;
  }

  // --- checking

  /** Checks one record line, line number 1. */
  public Result checkLine(byte[] line) {
    return checkLine(line, 1);
  }

  /**
   * Checks one record line: its bytes (Windows-1252) without line end. lineNumber is carried into
   * the result. A line longer than any record may be (64 MiB) gives an error result.
   */
  public Result checkLine(byte[] line, long lineNumber) {
    Objects.requireNonNull(line, "line");
    Pointer checker = enter();
    try {
      call(checker, CApi.vx_check_line(checker, line, line.length, lineNumber, out));
      return Convert.result(out.getPointer(0), null);
    } finally {
      exit();
    }
  }

  /**
   * The results of every line of a file, read as they are asked for: a file warning before the
   * line that shows that the file is not Windows-1252 (or one for an empty file); empty lines give
   * none. Close the stream (try-with-resources) to close the file early; it closes itself after the
   * last result. {@code file} of the results is {@code path.toString()}.
   */
  public Stream<Result> checkFile(Path path) {
    Memory name = CApi.utf8("path", path.toString());
    Pointer checker = enter();
    try {
      call(checker, CApi.vx_input_open_file(checker, name));
      reader = null;
      return stream(new Results(input = ++serials, path.toString()));
    } finally {
      exit();
    }
  }

  /** The same for a stream of record lines, {@code file} of the results being {@code "-"}. */
  public Stream<Result> check(InputStream in) {
    return check(in, "-");
  }

  /**
   * The same for a stream of record lines, {@code file} of the results being name. The stream is
   * read as results are asked for and stays the caller's to close. An exception of its {@code
   * read()} ends the check with {@link VexalException} ({@link Status#IO_ERROR}) that carries it
   * as its cause.
   */
  public Stream<Result> check(InputStream in, String name) {
    Objects.requireNonNull(in, "in");
    byte[] chunk = new byte[CHUNK];
    CApi.ReadCallback read =
        (context, buffer, size) -> {
          try {
            int n = in.read(chunk, 0, (int) Math.min(size, CHUNK));
            if (n <= 0) return 0;
            buffer.write(0, chunk, 0, n);
            return n;
          } catch (Throwable e) { // must not cross into C: the check ends with a read error
            readError = e;
            return -1;
          }
        };
    Pointer checker = enter();
    try {
      call(checker, CApi.vx_input_open_stream(checker, read, null));
      reader = read;
      readError = null;
      return stream(new Results(input = ++serials, name));
    } finally {
      exit();
    }
  }

  /** The record layout of a record type ({@code "DSKO_04"}, ...). */
  public Layout layout(String recordType) {
    Memory name = CApi.utf8("recordType", Objects.requireNonNull(recordType, "recordType"));
    Pointer checker = enter();
    try {
      call(checker, CApi.vx_checker_layout(checker, name, out));
      return Convert.layout(out.getPointer(0));
    } finally {
      exit();
    }
  }

  // --- calls

  /** Holds the checker for one call and the reading of its result; its native pointer. */
  private Pointer enter() {
    if (!busy.compareAndSet(false, true)) {
      throw new VexalException(
          Status.BUSY,
          "the checker is in use by another call (another thread, or the InputStream it reads)");
    }
    Pointer checker = handle.pointer;
    if (checker == null) {
      busy.set(false);
      throw new VexalException(Status.INVALID_ARGUMENT, "the checker is closed");
    }
    return checker;
  }

  /**
   * Releases the checker after a call. The fence keeps this checker reachable until then: without
   * it, the JIT may treat {@code this} as dead once the native pointer is loaded, and the cleaner
   * could free the checker while the library still works on it.
   */
  private void exit() {
    busy.set(false);
    Reference.reachabilityFence(this);
  }

  private static void call(Pointer checker, int status) {
    if (status != 0) {
      throw new VexalException(Status.of(status), CApi.text(CApi.vx_checker_message(checker)));
    }
  }

  private static Stream<Result> stream(Results results) {
    return StreamSupport.stream(
            Spliterators.spliteratorUnknownSize(
                results, Spliterator.ORDERED | Spliterator.NONNULL),
            false)
        .onClose(results::close);
  }

  /** The results of one input; they end when it ends, is closed, or another is opened. */
  private final class Results implements Iterator<Result>, AutoCloseable {
    private final long serial;
    private final String file;
    private Result next;
    private boolean done;

    Results(long serial, String file) {
      this.serial = serial;
      this.file = file;
    }

    @Override
    public boolean hasNext() {
      if (next == null && !done) next = fetch();
      return next != null;
    }

    @Override
    public Result next() {
      if (!hasNext()) throw new NoSuchElementException();
      Result result = next;
      next = null;
      return result;
    }

    private Result fetch() {
      Pointer checker = enter();
      try {
        if (input != serial) {
          done = true;
          throw new IllegalStateException(
              "another checkFile() or check() on this checker has ended this input");
        }
        int status = CApi.vx_input_next(checker, out);
        if (status != 0) {
          Throwable cause = readError;
          VexalException error = new VexalException(
              Status.of(status),
              CApi.text(CApi.vx_checker_message(checker))
                  + (cause == null ? "" : ": " + cause),
              cause);
          finish(checker);
          throw error;
        }
        Pointer result = out.getPointer(0);
        if (result == null) {
          finish(checker);
          return null;
        }
        return Convert.result(result, file);
      } finally {
        exit();
      }
    }

    /** Closes the input; the checker is held. */
    private void finish(Pointer checker) {
      done = true;
      if (input == serial) {
        CApi.vx_input_close(checker);
        input = 0;
        reader = null;
        readError = null;
      }
    }

    /** Closes the input unless it is closed already, the checker is closed or it is busy. */
    @Override
    public void close() {
      if (done) return;
      done = true;
      next = null;
      if (handle.pointer == null || !busy.compareAndSet(false, true)) return;
      try {
        Pointer checker = handle.pointer;
        if (checker != null) finish(checker);
      } finally {
        busy.set(false);
      }
    }
  }

  /** The native checker, freed once: by close() or by the cleaner. */
  private static final class Handle implements Runnable {
    static final AtomicInteger LIVE = new AtomicInteger();

    volatile Pointer pointer;

    Handle(Pointer pointer) {
      this.pointer = pointer;
      LIVE.incrementAndGet();
    }

    @Override
    public void run() {
      Pointer p = pointer;
      pointer = null;
      if (p != null) {
        CApi.vx_checker_free(p);
        LIVE.decrementAndGet();
      }
    }
  }

  /** How many native checkers this class loader has made and not freed yet. */
  static int liveCheckers() {
    return Handle.LIVE.get();
  }
}
