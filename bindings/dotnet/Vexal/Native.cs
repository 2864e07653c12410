using System;
using System.Runtime.InteropServices;
#if NET7_0_OR_GREATER
using System.Runtime.CompilerServices;
#endif

namespace Vexal
{
    // The structures of vexal/check.h, field for field (x64: size_t is nuint,
    // long long is long, texts are NUL-terminated UTF-8).

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxParam
    {
        public byte* Name;
        public byte* Value;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxOptions
    {
        public nuint Size;
        public byte* LibraryPath;
        public byte* Today;
        public VxParam* Params;
        public nuint ParamCount;
        public int Level;
        public byte* RecordType;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxFinding
    {
        public byte* Id;
        public byte* Check;
        public byte* Code;
        public int ProblemType;
        public int Weight;
        public int InfoType;
        public byte* ShortDescription;
        public byte* LongDescription;
        public byte* CorrectionInfo;
        public byte* ReferenceTopic;
        public byte* ReferenceField;
        public byte* FieldDisplayName;
        public int FieldType;
        public int FieldLength;
        public byte* FieldMask;
        public byte* Exception;
        public byte* Label;
        public byte* Text;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxResult
    {
        public int Kind;
        public long Line;
        public byte* RecordType;
        public byte* Warning;
        public nuint ExpectedLength;
        public nuint ActualLength;
        public byte* Error;
        public byte* FileWarning;
        public nuint FindingCount;
        public VxFinding* Findings;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxLayoutEntry
    {
        public int IsGroup;
        public int Depth;
        public byte* Path;
        public byte* Name;
        public nuint Position;
        public byte* After;
        public nuint Length;
        public byte* Type;
        public byte* DisplayName;
        public long OccurrenceLength;
        public byte* CounterField;
        public byte* Occurs;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct VxLayout
    {
        public byte* RecordType;
        public int Built;
        public nuint FieldCount;
        public nuint MinimumLength;
        public long RecordLength;
        public nuint EntryCount;
        public VxLayoutEntry* Entries;
    }

    /// <summary>The functions of libvexalcheck.</summary>
    internal static unsafe partial class Native
    {
        internal const string Library = "vexalcheck";

        static Native()
        {
            NativeLoader.Register(typeof(Native).Assembly);
        }

#if NET7_0_OR_GREATER
        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial byte* vx_status_name(int status);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial byte* vx_version();

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial void vx_options_init(VxOptions* options);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_checker_new(VxOptions* options, IntPtr* checker, byte* message, nuint messageSize);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial void vx_checker_free(IntPtr checker);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial byte* vx_checker_message(IntPtr checker);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_check_line(IntPtr checker, byte* line, nuint size, long lineNumber, VxResult** result);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_input_open_file(IntPtr checker, byte* path);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_input_open_stream(IntPtr checker, IntPtr read, IntPtr readContext);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_input_next(IntPtr checker, VxResult** result);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial void vx_input_close(IntPtr checker);

        [LibraryImport(Library)]
        [UnmanagedCallConv(CallConvs = new[] { typeof(CallConvCdecl) })]
        internal static partial int vx_checker_layout(IntPtr checker, byte* recordType, VxLayout** layout);
#else
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern byte* vx_status_name(int status);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern byte* vx_version();

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern void vx_options_init(VxOptions* options);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_checker_new(VxOptions* options, IntPtr* checker, byte* message, nuint messageSize);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern void vx_checker_free(IntPtr checker);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern byte* vx_checker_message(IntPtr checker);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_check_line(IntPtr checker, byte* line, nuint size, long lineNumber, VxResult** result);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_input_open_file(IntPtr checker, byte* path);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_input_open_stream(IntPtr checker, IntPtr read, IntPtr readContext);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_input_next(IntPtr checker, VxResult** result);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern void vx_input_close(IntPtr checker);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int vx_checker_layout(IntPtr checker, byte* recordType, VxLayout** layout);
#endif

        /// <summary>
        /// The text at <paramref name="text"/>, given as <paramref name="known"/>
        /// when it has the same bytes as <paramref name="knownText"/>: a
        /// finding's long description and text often repeat its short one.
        /// </summary>
        internal static string? TextLike(byte* text, byte* knownText, string? known)
        {
            if (text == knownText) return known;
            if (text == null || knownText == null) return Text(text);
#if NET6_0_OR_GREATER
            var bytes = System.Runtime.InteropServices.MemoryMarshal.CreateReadOnlySpanFromNullTerminated(text);
            if (bytes.SequenceEqual(System.Runtime.InteropServices.MemoryMarshal.CreateReadOnlySpanFromNullTerminated(knownText)))
                return known;
            return bytes.Length == 0 ? string.Empty : System.Text.Encoding.UTF8.GetString(bytes);
#else
            return Text(text);
#endif
        }

        /// <summary>A text handed out: NUL-terminated UTF-8, or null.</summary>
        internal static string? Text(byte* text)
        {
            if (text == null) return null;
#if NET6_0_OR_GREATER
            var bytes = System.Runtime.InteropServices.MemoryMarshal.CreateReadOnlySpanFromNullTerminated(text);
            return bytes.Length == 0 ? string.Empty : System.Text.Encoding.UTF8.GetString(bytes);
#else
            int length = 0;
            while (text[length] != 0) length++;
            return length == 0 ? string.Empty : System.Text.Encoding.UTF8.GetString(text, length);
#endif
        }
    }
}
