using System;

namespace Vexal
{
    /// <summary>The outcome of a call of libvexalcheck: vx_status of vexal/check.h.</summary>
    public enum VexalStatus
    {
        /// <summary>VX_OK.</summary>
        Ok = 0,
        /// <summary>VX_INVALID_ARGUMENT: a malformed date, an unknown record type, a negative level, ...</summary>
        InvalidArgument = 1,
        /// <summary>VX_LIBRARY_ERROR: libvexalcheck or libvexal cannot be loaded.</summary>
        LibraryError = 2,
        /// <summary>VX_IO_ERROR: a file cannot be opened or read, or a stream's read failed.</summary>
        IoError = 3,
        /// <summary>VX_OUT_OF_MEMORY.</summary>
        OutOfMemory = 4,
        /// <summary>VX_STOPPED: a check was stopped.</summary>
        Stopped = 5,
        /// <summary>VX_INTERNAL_ERROR: anything else; the message says what.</summary>
        InternalError = 6,
        /// <summary>VX_BUSY: the checker is in use by another call.</summary>
        Busy = 7,
    }

    /// <summary>
    /// A call of libvexalcheck failed. <see cref="Status"/> is its status,
    /// <see cref="StatusName"/> the C name of it ("VX_INVALID_ARGUMENT"), and
    /// the message the library's own (UTF-8 in C, here a string).
    /// </summary>
    public sealed class VexalException : Exception
    {
        /// <summary>Makes the exception of a failed call.</summary>
        public VexalException(VexalStatus status, string message, Exception? innerException = null)
            : base(message, innerException)
        {
            Status = status;
        }

        /// <summary>The status of the failed call.</summary>
        public VexalStatus Status { get; }

        /// <summary>The C name of the status, as vx_status_name() gives it.</summary>
        public string StatusName => NameOf(Status);

        internal static string NameOf(VexalStatus status) => status switch
        {
            VexalStatus.Ok => "VX_OK",
            VexalStatus.InvalidArgument => "VX_INVALID_ARGUMENT",
            VexalStatus.LibraryError => "VX_LIBRARY_ERROR",
            VexalStatus.IoError => "VX_IO_ERROR",
            VexalStatus.OutOfMemory => "VX_OUT_OF_MEMORY",
            VexalStatus.Stopped => "VX_STOPPED",
            VexalStatus.InternalError => "VX_INTERNAL_ERROR",
            VexalStatus.Busy => "VX_BUSY",
            _ => "VX_UNKNOWN_STATUS",
        };
    }
}
