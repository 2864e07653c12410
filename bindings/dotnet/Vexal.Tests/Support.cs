using System;
using System.Collections.Generic;
using System.Diagnostics;
using System.IO;
using System.Linq;
using System.Text;
using System.Text.Json;

namespace Vexal.Tests
{
    /// <summary>The example transmission and what the vexal program says about files.</summary>
    internal static class Support
    {
        internal const string Today = "20261208";

        internal static readonly string Source = FindSource();

        internal static string Example => Path.Combine(Source, "examples", "transmission.txt");

        internal static string Cli =>
            Environment.GetEnvironmentVariable("VEXAL_CLI") is { Length: > 0 } cli
                ? cli
                : Path.Combine(Source, "build", "default", "bin", "vexal");

        internal static CheckerOptions Options(Action<CheckerOptions>? change = null)
        {
            var options = new CheckerOptions { Today = Today };
            change?.Invoke(options);
            return options;
        }

        /// <summary>The lines of the example without line end.</summary>
        internal static byte[][] ExampleLines() =>
            Encoding.Latin1.GetString(File.ReadAllBytes(Example)).TrimEnd('\n').Split('\n')
                .Select(line => Encoding.Latin1.GetBytes(line.TrimEnd('\r'))).ToArray();

        /// <summary>The objects `vexal check --format jsonl` writes for a file.</summary>
        internal static List<JsonElement> Jsonl(string path, params string[] options) =>
            Run(new[] { "check", "--today", Today, "--format", "jsonl" }.Concat(options).Append(path))
                .Split('\n', StringSplitOptions.RemoveEmptyEntries)
                .Select(line => JsonDocument.Parse(line).RootElement.Clone())
                .ToList();

        internal static string Run(IEnumerable<string> arguments, params int[] exits)
        {
            var start = new ProcessStartInfo(Cli)
            {
                RedirectStandardOutput = true,
                RedirectStandardError = true,
                StandardOutputEncoding = Encoding.UTF8,
            };
            foreach (var argument in arguments) start.ArgumentList.Add(argument);
            using var process = Process.Start(start)!;
            var output = process.StandardOutput.ReadToEndAsync();
            var error = process.StandardError.ReadToEnd();
            process.WaitForExit();
            var allowed = exits.Length == 0 ? new[] { 0, 1 } : exits;
            if (!allowed.Contains(process.ExitCode))
                throw new InvalidOperationException($"vexal exited {process.ExitCode}: {error}");
            return output.Result;
        }

        private static string FindSource()
        {
            if (Environment.GetEnvironmentVariable("VEXAL_SOURCE") is { Length: > 0 } given) return given;
            return typeof(Support).Assembly.GetCustomAttributes(typeof(System.Reflection.AssemblyMetadataAttribute), false)
                .Cast<System.Reflection.AssemblyMetadataAttribute>().Single(a => a.Key == "VexalSource").Value!;
        }
    }
}
