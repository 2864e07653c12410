using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Text;
using System.Text.Json;
using Xunit;

namespace Vexal.Tests
{
    public class AgainstTheProgramTests
    {
        // A jsonl key as the .NET property that carries it: record_type -> RecordType.
        private static object? Property(object o, string key) => o.GetType()
            .GetProperty(string.Concat(key.Split('_').Select(w => char.ToUpperInvariant(w[0]) + w[1..])))
            ?.GetValue(o) is var v && v is int i ? (long)i : v;

        private static object? Value(JsonElement e) =>
            e.ValueKind == JsonValueKind.Null ? null : e.ValueKind == JsonValueKind.Number ? e.GetInt64() : e.GetString();

        private static List<JsonElement> Objects(string path, params string[] kinds) =>
            Support.Jsonl(path).Where(o => kinds.Contains(o.GetProperty("kind").GetString())).ToList();

        [Fact]
        public void CheckFileGivesTheFindingsOfVexalCheckKeyByKey()
        {
            var expected = Objects(Support.Example, "finding");
            using var checker = new Checker(Support.Options());
            var found = checker.CheckFile(Support.Example).SelectMany(r => r.Findings).ToList();
            Assert.True(expected.Count > 50);
            Assert.Equal(expected.Count, found.Count);
            foreach (var (finding, json) in found.Zip(expected))
                foreach (var key in json.EnumerateObject().Where(k => k.Name != "kind"))
                    Assert.True(Equals(Value(key.Value), Property(finding, key.Name)),
                        $"line {finding.Line} {finding.Id}: {key.Name}: {key.Value} against {Property(finding, key.Name)}");
        }

        [Fact]
        public void RecordsWarningsAndErrorsAreThoseOfVexalCheck()
        {
            // Each object's keys, from the result that carries them.
            var keys = new Dictionary<string, string>
            {
                ["warning"] = "file line record_type warning expected_length actual_length",
                ["record"] = "file line record_type findings",
                ["error"] = "file line error",
            };
            string Text(IEnumerable<object?> values) => string.Join("|", values);
            var expected = Objects(Support.Example, "warning", "record", "error")
                .Select(o => Text(o.EnumerateObject().Select(p => p.Name == "findings" ? p.Value.GetInt64() : Value(p.Value))));
            using var checker = new Checker(Support.Options());
            var got = new List<string>();
            foreach (var r in checker.CheckFile(Support.Example))
            {
                var kinds = new[] { r.Warning != null ? "warning" : null, r.Kind == ResultKind.Record ? "record" : "error" };
                foreach (var kind in kinds.Where(k => k != null))
                    got.Add(Text(keys[kind!].Split(' ').Select(key =>
                        key == "findings" ? r.Findings.Count : Property(r, key)).Prepend(kind)));
            }
            Assert.Equal(expected, got);
        }

        [Fact]
        public void AStreamAndSingleLinesGiveWhatTheFileGives()
        {
            using var checker = new Checker(Support.Options());
            string Describe(Result r) =>
                $"{r.Kind} {r.Line} {r.RecordType} {r.Warning} {r.Error} " + string.Join("|", r.Findings.Select(f => f.Id + f.Text));
            var fromFile = checker.CheckFile(Support.Example).Select(Describe).ToList();
            var fromStream = checker.Check(new MemoryStream(File.ReadAllBytes(Support.Example))).Select(Describe);
            var fromLines = Support.ExampleLines().Select((line, i) => checker.CheckLine(line, i + 1))
                .Where(r => r.Kind != ResultKind.Empty).Select(Describe);
            Assert.Equal(29, fromFile.Count);
            Assert.Equal(fromFile, fromStream);
            Assert.Equal(fromFile, fromLines);
        }

        [Theory]
        // A faulty record ten thousand characters long: too long, still checked.
        [InlineData(10_000, -1)]
        // Every byte 0x80-0xFF inside the fields of a record.
        [InlineData(0, 40)]
        // High bytes in the record identifier: quoted in the error, in UTF-8.
        [InlineData(0, 0)]
        public void LongLinesAndHighBytesGiveWhatVexalCheckGives(int length, int highBytesAt)
        {
            // Line 3 of the example: a DSKO_04 record with findings.
            var bytes = Support.ExampleLines()[2].ToList();
            for (int b = 0x80; highBytesAt >= 0 && b <= 0xFF; ++b)
                bytes[highBytesAt + (b - 0x80) % (highBytesAt == 0 ? 4 : 300)] = (byte)b;
            bytes.AddRange(Enumerable.Repeat((byte)'X', Math.Max(0, length - bytes.Count)));
            var path = Path.GetTempFileName();
            try
            {
                File.WriteAllBytes(path, bytes.ToArray());
                var expected = Objects(path, "warning", "finding", "record", "error").Select(o => string.Join("|",
                    new[] { "kind", "message", "short_description", "id", "findings" }
                        .Select(k => o.TryGetProperty(k, out var v) ? v.ToString() : ""))).ToList();
                using var checker = new Checker(Support.Options());
                var r = checker.CheckLine(bytes.ToArray());
                var got = (r.Warning == null ? new string[0] : new[] { $"warning|{r.Warning}|||" })
                    .Concat(r.Findings.Select(f => $"finding||{f.ShortDescription}|{f.Id}|"))
                    .Append(r.Kind == ResultKind.Record ? $"record||||{r.Findings.Count}" : $"error|{r.Error}|||");
                Assert.True(expected.Count >= (highBytesAt == 0 ? 1 : 3), string.Join("\n", expected));
                Assert.Equal(expected, got);
                if (length > 0) Assert.Equal((long?)length, r.ActualLength);
                if (highBytesAt == 0) Assert.Contains("\"\u00fc\u00fd\u00fe\u00ff\"", r.Error);
            }
            finally
            {
                File.Delete(path);
            }
        }

        [Theory]
        [InlineData("DSKO_04")]
        [InlineData("DSLN_01")]
        public void LayoutsAreThoseOfVexalLayout(string type)
        {
            var json = JsonDocument.Parse(Support.Run(new[] { "layout", "--format", "json", type })).RootElement;
            using var checker = new Checker();
            var layout = checker.Layout(type);
            foreach (var key in new[] { "record_type", "field_count", "minimum_length", "record_length" })
                Assert.Equal(Value(json.GetProperty(key)), Property(layout, key));
            var entries = json.GetProperty("entries").EnumerateArray().ToList();
            Assert.Equal(entries.Count, layout.Entries.Count);
            foreach (var (entry, e) in entries.Zip(layout.Entries))
            {
                Assert.Equal(entry.GetProperty("kind").GetString() == "group", e.IsGroup);
                Assert.Equal(Value(entry.GetProperty("position_after")), e.After);
                foreach (var key in new[] { "path", "name", "depth", "position" })
                    Assert.Equal(Value(entry.GetProperty(key)), Property(e, key));
                if (!e.IsGroup) Assert.Equal(Value(entry.GetProperty("length")), Property(e, "length"));
            }
        }

        [Fact]
        public void OptionsReachTheChecks()
        {
            var line = Support.ExampleLines()[0];
            using (var forced = new Checker(Support.Options(o => o.RecordType = "DSAS_01")))
                Assert.Equal((5L, "DSAS_01", (long?)463), forced.CheckLine(line, 5) is var r ? (r.Line, r.RecordType, r.ExpectedLength) : default);
            var faulty = Encoding.Latin1.GetBytes(Encoding.Latin1.GetString(line).Replace("  04", "  03"));
            using (var all = new Checker(Support.Options()))
                Assert.NotEmpty(all.CheckLine(faulty).Findings);
            using (var fieldsOnly = new Checker(Support.Options(o => o.Level = 2)))
                Assert.Empty(fieldsOnly.CheckLine(faulty).Findings);
            using (var withParameters = new Checker(Support.Options(o => o.Parameters = new Dictionary<string, string> { ["ipMjahrSchalttag"] = "1201" })))
                Assert.Equal(ResultKind.Empty, withParameters.CheckLine(ReadOnlySpan<byte>.Empty).Kind);
        }
    }
}
