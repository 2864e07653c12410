// Checks a file as `vexal check --today DATE FILE` does and prints the same
// lines on standard output: file warnings, length warnings, errors and
// findings. Exit status as vexal's: 0 nothing found, 1 findings or line
// errors, 2 a failure.
using System;
using System.IO;
using System.Text;
using Vexal;

if (args.Length != 3 || args[0] != "--today")
{
    Console.Error.WriteLine("usage: DotnetConsumer --today JJJJMMTT FILE");
    return 2;
}
var file = args[2];
var output = new StreamWriter(Console.OpenStandardOutput(), new UTF8Encoding(false)) { NewLine = "\n" };
string At(long line) => line > 0 ? $"{file}:{line}: " : $"{file}: ";
int found = 0;
try
{
    using var checker = new Checker(new CheckerOptions { Today = args[1] });
    foreach (var r in checker.CheckFile(file))
    {
        if (r.Kind == ResultKind.FileWarning)
        {
            output.WriteLine($"{At(r.Line)}warning: {r.FileWarning}");
            continue;
        }
        if (r.Warning != null) output.WriteLine($"{At(r.Line)}{r.RecordType} warning: {r.Warning}");
        if (r.Kind == ResultKind.Error)
        {
            output.WriteLine($"{At(r.Line)}error: {r.Error}");
            found++;
            continue;
        }
        foreach (var f in r.Findings) output.WriteLine($"{At(r.Line)}{r.RecordType} {f.Label}: {f.Text}");
        found += r.Findings.Count;
    }
}
catch (VexalException e)
{
    output.Flush();
    Console.Error.WriteLine($"DotnetConsumer: {e.StatusName}: {e.Message}");
    return 2;
}
output.Flush();
return found > 0 ? 1 : 0;
