using System;
using System.Collections.Generic;
using System.IO;
using System.Reflection;
using System.Runtime.InteropServices;

namespace Vexal
{
    /// <summary>
    /// Finds libvexalcheck (vexalcheck.dll on Windows): the path in the
    /// environment variable VEXAL_LIBRARY when it is set, and nowhere else
    /// then; else beside this assembly; else in runtimes/RID/native beside it,
    /// as a NuGet package lays it out; else where the runtime looks by itself
    /// (the application's deps.json, the system's search path).
    /// libvexalcheck then loads libvexal from its own folder.
    /// </summary>
    internal static class NativeLoader
    {
        internal static readonly bool IsWindows = RuntimeInformation.IsOSPlatform(OSPlatform.Windows);

        internal static string FileName => IsWindows ? "vexalcheck.dll" : "libvexalcheck.so";

        internal static string RuntimeId =>
            (IsWindows ? "win-" : RuntimeInformation.IsOSPlatform(OSPlatform.OSX) ? "osx-" : "linux-")
            + RuntimeInformation.ProcessArchitecture.ToString().ToLowerInvariant();

        private static readonly object Lock = new object();
        private static bool loaded;

        /// <summary>The paths tried, in order, before the runtime's own search.</summary>
        internal static IReadOnlyList<string> Candidates()
        {
            var variable = Environment.GetEnvironmentVariable("VEXAL_LIBRARY");
            if (!string.IsNullOrEmpty(variable)) return new[] { variable! };
            var folder = Path.GetDirectoryName(typeof(NativeLoader).Assembly.Location);
            if (string.IsNullOrEmpty(folder)) folder = AppContext.BaseDirectory;
            return new[]
            {
                Path.Combine(folder!, FileName),
                Path.Combine(folder!, "runtimes", RuntimeId, "native", FileName),
            };
        }

        private static bool ExplicitPath =>
            !string.IsNullOrEmpty(Environment.GetEnvironmentVariable("VEXAL_LIBRARY"));

#if NET7_0_OR_GREATER
        internal static void Register(Assembly assembly) =>
            NativeLibrary.SetDllImportResolver(assembly, Resolve);

        private static IntPtr Resolve(string name, Assembly assembly, DllImportSearchPath? searchPath)
        {
            if (name != Native.Library) return IntPtr.Zero;
            foreach (var path in Candidates())
            {
                // An explicit VEXAL_LIBRARY is loaded or fails, never passed over.
                if (ExplicitPath) return NativeLibrary.Load(Path.GetFullPath(path));
                if (File.Exists(path)) return NativeLibrary.Load(Path.GetFullPath(path));
            }
            return IntPtr.Zero;
        }
#else
        // Without NativeLibrary: the library found is loaded by its path
        // first, so that DllImport of the bare name finds the module already
        // loaded (Windows by its file name, Linux by its soname).
        internal static void Register(Assembly assembly)
        {
            foreach (var path in Candidates())
            {
                if (!ExplicitPath && !File.Exists(path)) continue;
                var full = Path.GetFullPath(path);
                var handle = IsWindows ? LoadLibraryW(full) : dlopen(full, RtldNow | RtldGlobal);
                if (handle == IntPtr.Zero && ExplicitPath)
                    throw new DllNotFoundException("cannot load " + full);
                return;
            }
        }

        private const int RtldNow = 2;
        private const int RtldGlobal = 0x100;

        [DllImport("kernel32", CharSet = CharSet.Unicode, SetLastError = true)]
        private static extern IntPtr LoadLibraryW(string path);

        [DllImport("libdl.so.2")]
        private static extern IntPtr dlopen(string path, int flags);
#endif

        /// <summary>
        /// Loads libvexalcheck on first use and checks that it is the version
        /// this assembly is made for (major.minor of the assembly version).
        /// </summary>
        internal static unsafe void EnsureLoaded()
        {
            lock (Lock)
            {
                if (loaded) return;
                string version;
                try
                {
                    version = Native.Text(Native.vx_version()) ?? "";
                }
                catch (Exception e) when (e is DllNotFoundException || e is EntryPointNotFoundException
                                          || e is BadImageFormatException || e is TypeInitializationException)
                {
                    var cause = e is TypeInitializationException && e.InnerException != null ? e.InnerException : e;
                    throw new VexalException(VexalStatus.LibraryError,
                        "libvexalcheck not found or not loadable; tried: " + string.Join(", ", Candidates())
                        + " and the runtime's search (set VEXAL_LIBRARY to its path): " + cause.Message, cause);
                }
                var own = typeof(NativeLoader).Assembly.GetName().Version!;
                var wanted = own.Major + "." + own.Minor;
                if (version != wanted)
                    throw new VexalException(VexalStatus.LibraryError,
                        "libvexalcheck is version " + version + "; this assembly needs " + wanted);
                loaded = true;
            }
        }
    }
}
