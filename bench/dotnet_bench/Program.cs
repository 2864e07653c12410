// What the .NET binding adds per line: the same lines checked through a bare
// P/Invoke of vx_check_line (the C API and the call, no objects made),
// through Checker.CheckLine (results as immutable objects) and through
// Checker.CheckFile, in turn in one process. Prints its setup (machine,
// runtime, build, library, commit, input), then per way the time per line,
// best of five rounds, its ratio to the bare call, and the bytes it puts on
// the managed heap per line (exact, unlike the times on a shared machine).
//
//   dotnet DotnetBench.dll [LIBVEXALCHECK] [RECORDS] [SOURCE]
//     (default build/default/bin/libvexalcheck.so, 20000, the working folder)
using System;
using System.Collections.Generic;
using System.Diagnostics;
using System.IO;
using System.Linq;
using System.Reflection;
using System.Runtime.InteropServices;
using Vexal;

unsafe
{
    var source = Path.GetFullPath(args.Length > 2 ? args[2] : ".");
    var library = Path.GetFullPath(args.Length > 0 ? args[0] : Path.Combine(source, "build", "default", "bin", "libvexalcheck.so"));
    int records = args.Length > 1 ? int.Parse(args[1]) : 20000;
    Environment.SetEnvironmentVariable("VEXAL_LIBRARY", library);
    NativeLibrary.SetDllImportResolver(typeof(Bare).Assembly, (name, _, _) => name == "vexalcheck" ? NativeLibrary.Load(library) : IntPtr.Zero);

    // The DSKO_04 records of the example, valid and faulty, over and over:
    // the input of bench/python_overhead.py and bench/host_throughput.sh.
    var example = File.ReadAllBytes(Path.Combine(source, "examples", "transmission.txt"));
    var pattern = Split(example).Where(l => l.Length == 415 && l[0] == 'D' && l[1] == 'S' && l[2] == 'K' && l[3] == 'O').ToArray();
    var lines = Enumerable.Range(0, records).Select(i => pattern[i % pattern.Length]).ToArray();
    var file = Path.GetTempFileName();
    File.WriteAllBytes(file, lines.SelectMany(l => l.Append((byte)'\n')).ToArray());

    Console.WriteLine($"machine:  {Cpu()}, {Environment.ProcessorCount} cores, {RuntimeInformation.OSDescription}");
    Console.WriteLine($"runtime:  {RuntimeInformation.FrameworkDescription}, binding {typeof(Checker).Assembly.GetName().Version} "
        + $"({(IsOptimized(typeof(Checker).Assembly) ? "Release" : "Debug")} build, {typeof(Checker).Assembly.GetCustomAttribute<System.Runtime.Versioning.TargetFrameworkAttribute>()?.FrameworkName})");
    Console.WriteLine($"library:  {library}, commit {Commit(source)}");
    Console.WriteLine($"input:    {records} DSKO_04 records of 415 characters ({pattern.Length} patterns of examples/transmission.txt, valid and faulty), processing date 20261208");
    Console.WriteLine();

    using var checker = new Checker(new CheckerOptions { Today = "20261208" });
    var bare = Bare.New("20261208");
    long sink = 0;
    var ways = new (string Name, Action Run)[]
    {
        ("bare P/Invoke of vx_check_line, no objects made", () =>
        {
            for (int i = 0; i < lines.Length; ++i) sink += Bare.CheckLine(bare, lines[i], i + 1);
        }),
        ("Checker.CheckLine, results as objects", () =>
        {
            for (int i = 0; i < lines.Length; ++i) sink += checker.CheckLine(lines[i], i + 1).Findings.Count;
        }),
        ("Checker.CheckFile", () =>
        {
            foreach (var r in checker.CheckFile(file)) sink += r.Findings.Count;
        }),
    };
    var best = ways.Select(_ => double.MaxValue).ToArray();
    var allocated = new long[ways.Length];
    for (int w = 0; w < ways.Length; ++w)
    {
        ways[w].Run(); // warm up: tiering, the rule sets' first runs
        long before = GC.GetAllocatedBytesForCurrentThread();
        ways[w].Run();
        allocated[w] = GC.GetAllocatedBytesForCurrentThread() - before;
    }
    for (int round = 0; round < 5; ++round)
        for (int w = 0; w < ways.Length; ++w)
        {
            var watch = Stopwatch.StartNew();
            ways[w].Run();
            best[w] = Math.Min(best[w], watch.Elapsed.TotalSeconds);
        }
    File.Delete(file);
    Bare.Free(bare);

    Console.WriteLine($"{"way",-50} {"per line",10} {"over the bare call",20} {"managed heap per line",22}");
    for (int w = 0; w < ways.Length; ++w)
    {
        double perLine = best[w] / records * 1e9;
        double bareLine = best[0] / records * 1e9;
        Console.WriteLine($"{ways[w].Name,-50} {perLine,7:F0} ns {(w == 0 ? "" : $"+{perLine - bareLine:F0} ns ({perLine / bareLine:F2}x)"),20} {allocated[w] / (double)records,16:F0} bytes");
    }
    Console.WriteLine($"(findings counted: {sink})");
}

static IEnumerable<byte[]> Split(byte[] bytes)
{
    int start = 0;
    for (int i = 0; i < bytes.Length; ++i)
        if (bytes[i] == '\n')
        {
            int end = i > start && bytes[i - 1] == '\r' ? i - 1 : i;
            yield return bytes[start..end];
            start = i + 1;
        }
}

static string Cpu()
{
    try
    {
        var line = File.ReadLines("/proc/cpuinfo").FirstOrDefault(l => l.StartsWith("model name"));
        if (line != null) return line.Split(':', 2)[1].Trim();
    }
    catch (IOException) { }
    return RuntimeInformation.ProcessArchitecture.ToString();
}

static string Commit(string source)
{
    try
    {
        var start = new ProcessStartInfo("git", $"-C \"{source}\" rev-parse --short HEAD") { RedirectStandardOutput = true };
        using var git = Process.Start(start)!;
        var commit = git.StandardOutput.ReadToEnd().Trim();
        git.WaitForExit();
        return git.ExitCode == 0 ? commit : "unknown";
    }
    catch (System.ComponentModel.Win32Exception) { return "unknown"; }
}

static bool IsOptimized(Assembly assembly) =>
    assembly.GetCustomAttribute<DebuggableAttribute>()?.IsJITOptimizerDisabled != true;

/// <summary>vexal/check.h called directly: a checker and vx_check_line, nothing converted.</summary>
internal static unsafe class Bare
{
    [StructLayout(LayoutKind.Sequential)]
    private struct Options
    {
        public nuint Size;
        public byte* LibraryPath;
        public byte* Today;
        public void* Params;
        public nuint ParamCount;
        public int Level;
        public byte* RecordType;
    }

    [DllImport("vexalcheck")] private static extern void vx_options_init(Options* options);
    [DllImport("vexalcheck")] private static extern int vx_checker_new(Options* options, IntPtr* checker, byte* message, nuint size);
    [DllImport("vexalcheck")] private static extern void vx_checker_free(IntPtr checker);
    [DllImport("vexalcheck")] private static extern int vx_check_line(IntPtr checker, byte* line, nuint size, long number, IntPtr* result);

    internal static IntPtr New(string today)
    {
        Options options;
        vx_options_init(&options);
        var date = System.Text.Encoding.ASCII.GetBytes(today + "\0");
        IntPtr checker;
        fixed (byte* d = date)
        {
            options.Today = d;
            if (vx_checker_new(&options, &checker, null, 0) != 0) throw new InvalidOperationException("vx_checker_new failed");
        }
        return checker;
    }

    internal static void Free(IntPtr checker) => vx_checker_free(checker);

    // The status, so that the call is not dropped.
    internal static int CheckLine(IntPtr checker, byte[] line, long number)
    {
        IntPtr result;
        fixed (byte* bytes = line) return vx_check_line(checker, bytes, (nuint)line.Length, number, &result);
    }
}
