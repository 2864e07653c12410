using System;
using System.Runtime.InteropServices;
using System.Threading;

namespace Vexal
{
    /// <summary>
    /// A vx_checker*. Freed by Dispose or, when that is forgotten, by the
    /// finalizer; never while a call on it holds a reference (DangerousAddRef).
    /// </summary>
    internal sealed class CheckerHandle : SafeHandle
    {
        private static long released;

        internal CheckerHandle() : base(IntPtr.Zero, ownsHandle: true) { }

        /// <summary>How many checkers were freed in this process (for the tests).</summary>
        internal static long Released => Interlocked.Read(ref released);

        public override bool IsInvalid => handle == IntPtr.Zero;

        internal void Set(IntPtr checker) => SetHandle(checker);

        protected override bool ReleaseHandle()
        {
            Native.vx_checker_free(handle);
            Interlocked.Increment(ref released);
            return true;
        }
    }
}
