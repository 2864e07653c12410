using System;
using System.Collections.Generic;
using System.Collections.ObjectModel;
using System.IO;
using System.Runtime.InteropServices;
using System.Text;
using System.Threading;

namespace Vexal
{
    /// <summary>
    /// A checker of libvexalcheck: the loaded rule sets, a record cutter per
    /// record type and the results of its last call (vx_checker of
    /// vexal/check.h). Results come back as immutable objects that stay valid
    /// after the next call.
    /// </summary>
    /// <remarks>
    /// Threads: a checker serves one thread at a time, as the C API does. A
    /// call while another runs on it (from a second thread, or from the Read
    /// of the stream it is reading) throws <see cref="VexalException"/> with
    /// <see cref="VexalStatus.Busy"/> at once and changes nothing. Separate
    /// checkers run in parallel, one per thread or task; each has rule sets
    /// of its own.
    /// <para>
    /// The native checker is held in a <see cref="SafeHandle"/>: Dispose frees
    /// it (after a call still running on another thread has returned), a
    /// forgotten Dispose leaves it to the finalizer, and a call after Dispose
    /// throws <see cref="ObjectDisposedException"/>.
    /// </para>
    /// </remarks>
    public sealed unsafe class Checker : IDisposable
    {
        private const int MessageSize = 1024;
        private static readonly IReadOnlyList<Finding> NoFindings = Array.AsReadOnly(new Finding[0]);

        private readonly CheckerHandle handle = new CheckerHandle();
        private int busy;
        // Which enumeration of CheckFile or Check owns the checker's input;
        // opening another input ends the one before.
        private long inputOwner;
        private long inputCount;

        /// <summary>Makes a checker; <paramref name="options"/> null for the defaults.</summary>
        /// <exception cref="VexalException">the library cannot be loaded, or the options are not valid.</exception>
        public Checker(CheckerOptions? options = null)
        {
            options ??= new CheckerOptions();
            NativeLoader.EnsureLoaded();
            using var texts = new NativeTexts();
            VxOptions native;
            Native.vx_options_init(&native);
            native.Today = texts.Add(options.Today, nameof(options.Today));
            native.RecordType = texts.Add(options.RecordType, nameof(options.RecordType));
            native.LibraryPath = texts.Add(options.LibraryPath, nameof(options.LibraryPath));
            native.Level = options.Level;
            if (options.Parameters != null)
            {
                var parameters = new List<KeyValuePair<string, string>>(options.Parameters);
                var array = (VxParam*)texts.Allocate(sizeof(VxParam) * Math.Max(parameters.Count, 1));
                for (int i = 0; i < parameters.Count; ++i)
                {
                    if (parameters[i].Key == null || parameters[i].Value == null)
                        throw new VexalException(VexalStatus.InvalidArgument, "a parameter name or value is null");
                    array[i].Name = texts.Add(parameters[i].Key, "a parameter name");
                    array[i].Value = texts.Add(parameters[i].Value, "the value of parameter " + parameters[i].Key);
                }
                native.Params = array;
                native.ParamCount = (nuint)parameters.Count;
            }
            IntPtr checker;
            byte* message = stackalloc byte[MessageSize];
            message[0] = 0;
            var status = Native.vx_checker_new(&native, &checker, message, MessageSize);
            if (status != 0)
                throw new VexalException((VexalStatus)status, Native.Text(message) ?? "");
            handle.Set(checker);
        }

        /// <summary>The version of libvexalcheck, "1.0".</summary>
        public static string LibraryVersion
        {
            get
            {
                NativeLoader.EnsureLoaded();
                return Native.Text(Native.vx_version()) ?? "";
            }
        }

        /// <summary>Frees the native checker; calls after it throw <see cref="ObjectDisposedException"/>.</summary>
        public void Dispose() => handle.Dispose();

        /// <summary>
        /// Checks one record line: its bytes (Windows-1252), without line end.
        /// <paramref name="lineNumber"/> is carried into the result.
        /// </summary>
        public Result CheckLine(ReadOnlySpan<byte> line, long lineNumber = 1)
        {
            var checker = Enter();
            try
            {
                VxResult* result;
                int status;
                fixed (byte* bytes = line)
                    status = Native.vx_check_line(checker, bytes, (nuint)line.Length, lineNumber, &result);
                Throw(status, checker);
                return Convert(result, null);
            }
            finally
            {
                Leave();
            }
        }

        /// <summary>
        /// Checks every line of a file, giving the results lazily, one per
        /// non-empty line in order: a file warning before the line that shows
        /// that the file is not Windows-1252, and one for a file that is empty.
        /// The file is opened on the first MoveNext and closed when the
        /// enumeration ends or is disposed. A checker reads one input at a
        /// time: starting another CheckFile or Check ends this enumeration
        /// with <see cref="InvalidOperationException"/>.
        /// </summary>
        public IEnumerable<Result> CheckFile(string path)
        {
            if (path == null) throw new ArgumentNullException(nameof(path));
            ThrowIfDisposed();
            return Read(new FileInput(path), path);
        }

        /// <summary>
        /// Checks every line of a stream of bytes, as <see cref="CheckFile"/>
        /// does; <paramref name="name"/> is the results' <see cref="Result.File"/>.
        /// An exception of the stream's Read ends the check with a
        /// <see cref="VexalException"/> (<see cref="VexalStatus.IoError"/>) that
        /// carries it as its InnerException.
        /// </summary>
        public IEnumerable<Result> Check(Stream stream, string? name = null)
        {
            if (stream == null) throw new ArgumentNullException(nameof(stream));
            if (!stream.CanRead) throw new ArgumentException("the stream cannot be read", nameof(stream));
            ThrowIfDisposed();
            return Read(new StreamInput(stream), name);
        }

        /// <summary>The layout of a record type ("DSKO_04", ...).</summary>
        public Layout Layout(string recordType)
        {
            if (recordType == null) throw new ArgumentNullException(nameof(recordType));
            var checker = Enter();
            try
            {
                using var texts = new NativeTexts();
                VxLayout* layout;
                Throw(Native.vx_checker_layout(checker, texts.Add(recordType, nameof(recordType)), &layout), checker);
                var entries = new LayoutEntry[(int)layout->EntryCount];
                for (int i = 0; i < entries.Length; ++i)
                {
                    var e = &layout->Entries[i];
                    bool group = e->IsGroup != 0;
                    entries[i] = new LayoutEntry(group, e->Depth, Native.Text(e->Path) ?? "",
                        Native.Text(e->Name) ?? "", (long)e->Position, Native.Text(e->After),
                        group ? null : (long)e->Length, Native.Text(e->Type), Native.Text(e->DisplayName),
                        group && e->OccurrenceLength >= 0 ? e->OccurrenceLength : (long?)null,
                        Native.Text(e->CounterField), Native.Text(e->Occurs));
                }
                return new Layout(Native.Text(layout->RecordType) ?? recordType, layout->Built != 0,
                    (long)layout->FieldCount, (long)layout->MinimumLength,
                    layout->RecordLength >= 0 ? layout->RecordLength : (long?)null, Array.AsReadOnly(entries));
            }
            finally
            {
                Leave();
            }
        }

        // ------------------------------------------------------------------
        // One call at a time, on a handle that is not freed under it.

        private IntPtr Enter()
        {
            if (Interlocked.CompareExchange(ref busy, 1, 0) != 0)
            {
                ThrowIfDisposed();
                throw new VexalException(VexalStatus.Busy,
                    "the checker is in use: it serves one call at a time (a call from a second thread, "
                    + "or from the Read of the stream it is reading)");
            }
            bool added = false;
            try
            {
                handle.DangerousAddRef(ref added);
            }
            catch (ObjectDisposedException)
            {
                throw new ObjectDisposedException(nameof(Checker));
            }
            finally
            {
                if (!added) Volatile.Write(ref busy, 0);
            }
            return handle.DangerousGetHandle();
        }

        private void Leave()
        {
            handle.DangerousRelease();
            Volatile.Write(ref busy, 0);
        }

        private void ThrowIfDisposed()
        {
            if (handle.IsClosed) throw new ObjectDisposedException(nameof(Checker));
        }

        private static void Throw(int status, IntPtr checker, Exception? cause = null)
        {
            if (status == 0) return;
            var message = Native.Text(Native.vx_checker_message(checker)) ?? "";
            if (cause != null) message += ": " + cause.GetType().Name + ": " + cause.Message;
            throw new VexalException((VexalStatus)status, message, cause);
        }

        // ------------------------------------------------------------------
        // Files and streams, one result at a time.

        private abstract class Input : IDisposable
        {
            internal abstract int Open(IntPtr checker);
            internal virtual Exception? Failure => null;
            public virtual void Dispose() { }
        }

        private sealed class FileInput : Input
        {
            private readonly string path;
            internal FileInput(string path) => this.path = path;

            internal override int Open(IntPtr checker)
            {
                using var texts = new NativeTexts();
                return Native.vx_input_open_file(checker, texts.Add(path, "path"));
            }
        }

        [UnmanagedFunctionPointer(CallingConvention.Cdecl)]
        private delegate long ReadCallback(IntPtr context, byte* buffer, nuint size);

        private sealed class StreamInput : Input
        {
            private static readonly ReadCallback Callback = ReadStream;
            private static readonly IntPtr CallbackPointer = Marshal.GetFunctionPointerForDelegate(Callback);

            private readonly Stream stream;
            private GCHandle self;
            private Exception? failure;
#if !NET7_0_OR_GREATER
            private byte[]? buffer;
#endif

            internal StreamInput(Stream stream) => this.stream = stream;

            internal override Exception? Failure => failure;

            internal override int Open(IntPtr checker)
            {
                if (!self.IsAllocated) self = GCHandle.Alloc(this);
                return Native.vx_input_open_stream(checker, CallbackPointer, GCHandle.ToIntPtr(self));
            }

            public override void Dispose()
            {
                if (self.IsAllocated) self.Free();
            }

            // Called by the library during vx_input_next; no exception may
            // cross into it: a failing Read is kept and reported as -1.
            private static long ReadStream(IntPtr context, byte* buffer, nuint size)
            {
                var input = (StreamInput)GCHandle.FromIntPtr(context).Target!;
                try
                {
                    int wanted = (int)Math.Min((ulong)size, int.MaxValue);
#if NET7_0_OR_GREATER
                    return input.stream.Read(new Span<byte>(buffer, wanted));
#else
                    wanted = Math.Min(wanted, 1 << 16);
                    if (input.buffer == null || input.buffer.Length < wanted) input.buffer = new byte[Math.Max(wanted, 4096)];
                    int got = input.stream.Read(input.buffer, 0, wanted);
                    Marshal.Copy(input.buffer, 0, (IntPtr)buffer, got);
                    return got;
#endif
                }
                catch (Exception e)
                {
                    input.failure = e;
                    return -1;
                }
            }
        }

        private IEnumerable<Result> Read(Input input, string? file)
        {
            long me = Interlocked.Increment(ref inputCount);
            bool opened = false;
            try
            {
                var checker = Enter();
                try
                {
                    Throw(input.Open(checker), checker);
                    opened = true;
                    Interlocked.Exchange(ref inputOwner, me);
                }
                finally
                {
                    Leave();
                }
                while (true)
                {
                    var next = Next(me, input, file);
                    if (next == null) yield break;
                    yield return next;
                }
            }
            finally
            {
                // Close the input while it is still this enumeration's; a
                // checker busy elsewhere or freed leaves it to the next open
                // or to vx_checker_free.
                if (opened && Interlocked.CompareExchange(ref inputOwner, 0, me) == me && !handle.IsClosed
                    && Interlocked.CompareExchange(ref busy, 1, 0) == 0)
                {
                    bool added = false;
                    try
                    {
                        handle.DangerousAddRef(ref added);
                        Native.vx_input_close(handle.DangerousGetHandle());
                    }
                    catch (ObjectDisposedException)
                    {
                    }
                    finally
                    {
                        if (added) handle.DangerousRelease();
                        Volatile.Write(ref busy, 0);
                    }
                }
                input.Dispose();
            }
        }

        private Result? Next(long me, Input input, string? file)
        {
            var checker = Enter();
            try
            {
                if (Interlocked.Read(ref inputOwner) != me)
                    throw new InvalidOperationException(
                        "another CheckFile or Check started on this checker; a checker reads one input at a time");
                VxResult* result;
                Throw(Native.vx_input_next(checker, &result), checker, input.Failure);
                return result == null ? null : Convert(result, file);
            }
            finally
            {
                Leave();
            }
        }

        // ------------------------------------------------------------------
        // Results as objects.

        private static Result Convert(VxResult* r, string? file)
        {
            var recordType = Native.Text(r->RecordType);
            bool cut = recordType != null;
            var findings = NoFindings;
            int count = (int)r->FindingCount;
            if (count > 0)
            {
                var array = new Finding[count];
                for (int i = 0; i < count; ++i)
                {
                    var f = &r->Findings[i];
                    var shortDescription = Native.Text(f->ShortDescription);
                    array[i] = new Finding(file, r->Line, recordType, Native.Text(f->Id), Native.Text(f->Check),
                        Native.Text(f->Code), f->ProblemType, f->Weight, f->InfoType,
                        shortDescription, Native.TextLike(f->LongDescription, f->ShortDescription, shortDescription),
                        Native.Text(f->CorrectionInfo), Native.Text(f->ReferenceTopic),
                        Native.Text(f->ReferenceField), Native.Text(f->FieldDisplayName),
                        f->FieldType >= 0 ? f->FieldType : (int?)null,
                        f->FieldLength >= 0 ? f->FieldLength : (int?)null, Native.Text(f->FieldMask),
                        Native.Text(f->Exception), Native.Text(f->Label) ?? "",
                        Native.TextLike(f->Text, f->ShortDescription, shortDescription) ?? "");
                }
                findings = new ReadOnlyCollection<Finding>(array);
            }
            return new Result((ResultKind)r->Kind, file, r->Line, recordType, Native.Text(r->Warning),
                cut ? (long)r->ExpectedLength : (long?)null, cut ? (long)r->ActualLength : (long?)null,
                Native.Text(r->Error), Native.Text(r->FileWarning), findings);
        }

        // ------------------------------------------------------------------
        // Texts handed in: UTF-8, NUL-terminated, freed after the call.

        private sealed class NativeTexts : IDisposable
        {
            private readonly List<IntPtr> blocks = new List<IntPtr>();

            internal byte* Allocate(int size)
            {
                var block = Marshal.AllocHGlobal(size);
                blocks.Add(block);
                new Span<byte>((void*)block, size).Clear();
                return (byte*)block;
            }

            internal byte* Add(string? text, string what)
            {
                if (text == null) return null;
                if (text.IndexOf('\0') >= 0)
                    throw new VexalException(VexalStatus.InvalidArgument, what + " holds a NUL character");
                var bytes = Encoding.UTF8.GetBytes(text);
                var block = Allocate(bytes.Length + 1);
                Marshal.Copy(bytes, 0, (IntPtr)block, bytes.Length);
                return block;
            }

            public void Dispose()
            {
                foreach (var block in blocks) Marshal.FreeHGlobal(block);
                blocks.Clear();
            }
        }
    }
}
