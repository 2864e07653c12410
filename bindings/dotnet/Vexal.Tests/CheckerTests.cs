using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Text;
using System.Text.Json;
using System.Threading.Tasks;
using Xunit;

namespace Vexal.Tests
{
    public class AgainstTheProgramTests
    {
        // A jsonl key as the .NET property that carries it: record_type -> RecordType.
        private static string Property(string key) =>
            string.Concat(key.Split('_').Select(word => char.ToUpperInvariant(word[0]) + word[1..]));

        private static object? Value(JsonElement element) => element.ValueKind switch
        {
            JsonValueKind.Null => null,
            JsonValueKind.String => element.GetString(),
            JsonValueKind.Number => element.GetInt64(),
            _ => throw new InvalidOperationException("unexpected " + element),
        };

        private static object? Normal(object? value) => value is int i ? (long)i : value;

        [Fact]
        public void CheckFileGivesTheFindingsOfVexalCheckKeyByKey()
        {
            var expected = Support.Jsonl(Support.Example).Where(o => o.GetProperty("kind").GetString() == "finding").ToList();
            using var checker = new Checker(Support.Options());
            var found = checker.CheckFile(Support.Example).SelectMany(r => r.Findings).ToList();
            Assert.True(expected.Count > 50);
            Assert.Equal(expected.Count, found.Count);
            int keys = 0;
            foreach (var (finding, json) in found.Zip(expected))
            {
                foreach (var key in json.EnumerateObject().Where(k => k.Name != "kind"))
                {
                    var property = typeof(Finding).GetProperty(Property(key.Name));
                    Assert.True(property != null, "no property for key " + key.Name);
                    Assert.True(Equals(Value(key.Value), Normal(property!.GetValue(finding))),
                        $"line {finding.Line} {finding.Id}: {key.Name}: {key.Value} against {property.GetValue(finding)}");
                    keys++;
                }
            }
            Assert.Equal(expected.Count * 19, keys);
        }

        [Fact]
        public void RecordsWarningsAndErrorsAreThoseOfVexalCheck()
        {
            var expected = Support.Jsonl(Support.Example)
                .Where(o => o.GetProperty("kind").GetString() is "record" or "warning" or "error")
                .Select(o => o.GetRawText()).ToList();
            var got = new List<string>();
            using var checker = new Checker(Support.Options());
            foreach (var r in checker.CheckFile(Support.Example))
            {
                if (r.Warning != null)
                    got.Add(JsonSerializer.Serialize(new Dictionary<string, object?>
                    {
                        ["kind"] = "warning", ["file"] = r.File, ["line"] = r.Line, ["record_type"] = r.RecordType,
                        ["message"] = r.Warning, ["expected_length"] = r.ExpectedLength, ["actual_length"] = r.ActualLength,
                    }, Json));
                if (r.Kind == ResultKind.Record)
                    got.Add(JsonSerializer.Serialize(new Dictionary<string, object?>
                    {
                        ["kind"] = "record", ["file"] = r.File, ["line"] = r.Line, ["record_type"] = r.RecordType,
                        ["findings"] = r.Findings.Count,
                    }, Json));
                else if (r.Kind == ResultKind.Error)
                    got.Add(JsonSerializer.Serialize(new Dictionary<string, object?>
                    {
                        ["kind"] = "error", ["file"] = r.File, ["line"] = r.Line, ["message"] = r.Error,
                    }, Json));
            }
            Assert.Equal(expected.Count, got.Count);
            Assert.Equal(expected, got);
        }

        private static readonly JsonSerializerOptions Json = new JsonSerializerOptions
        {
            Encoder = System.Text.Encodings.Web.JavaScriptEncoder.UnsafeRelaxedJsonEscaping,
        };

        [Fact]
        public void AStreamAndSingleLinesGiveWhatTheFileGives()
        {
            using var checker = new Checker(Support.Options());
            string Describe(Result r) =>
                $"{r.Kind} {r.Line} {r.RecordType} {r.Warning} {r.Error} " + string.Join("|", r.Findings.Select(f => f.Id + f.Text));
            var fromFile = checker.CheckFile(Support.Example).Select(Describe).ToList();
            using var stream = new MemoryStream(File.ReadAllBytes(Support.Example));
            var fromStream = checker.Check(stream).Select(Describe).ToList();
            var lines = Support.ExampleLines();
            var fromLines = lines.Select((line, i) => checker.CheckLine(line, i + 1))
                .Where(r => r.Kind != ResultKind.Empty).Select(Describe).ToList();
            Assert.Equal(29, fromFile.Count);
            Assert.Equal(fromFile, fromStream);
            Assert.Equal(fromFile, fromLines);
        }

        [Theory]
        // A faulty record ten thousand characters long: too long, still checked.
        [InlineData(10_000, 0)]
        // Every byte 0x80-0xFF inside the fields of a record.
        [InlineData(0, 40)]
        // High bytes in the record identifier: quoted in the error, in UTF-8.
        [InlineData(0, 0)]
        public void LongLinesAndHighBytesGiveWhatVexalCheckGives(int length, int highBytesAt)
        {
            // Line 3 of the example: a DSKO_04 record with findings.
            var bytes = Support.ExampleLines()[2].ToList();
            if (length == 0)
                for (int b = 0x80; b <= 0xFF; ++b) bytes[highBytesAt + (b - 0x80) % (highBytesAt == 0 ? 4 : 300)] = (byte)b;
            while (bytes.Count < length) bytes.Add((byte)'X');
            var path = Path.GetTempFileName();
            try
            {
                File.WriteAllBytes(path, bytes.ToArray());
                var expected = Support.Jsonl(path).Where(o => o.GetProperty("kind").GetString() != "summary")
                    .Select(o => o.GetProperty("kind").GetString() switch
                    {
                        "finding" => o.GetProperty("short_description").GetString() + "|" + o.GetProperty("id").GetString(),
                        "record" => "record " + o.GetProperty("findings").GetInt32(),
                        var kind => kind + " " + o.GetProperty("message").GetString(),
                    }).ToList();
                using var checker = new Checker(Support.Options());
                var result = checker.CheckLine(bytes.ToArray());
                var got = new List<string>();
                if (result.Warning != null) got.Add("warning " + result.Warning);
                got.AddRange(result.Findings.Select(f => f.ShortDescription + "|" + f.Id));
                got.Add(result.Kind == ResultKind.Record ? "record " + result.Findings.Count : "error " + result.Error);
                Assert.True(expected.Count >= (highBytesAt == 0 && length == 0 ? 1 : 3), string.Join("\n", expected));
                Assert.Equal(expected, got);
                if (length > 0) Assert.Equal((long?)length, result.ActualLength);
                if (highBytesAt == 0 && length == 0) Assert.Contains("\"\u00fc\u00fd\u00fe\u00ff\"", result.Error);
            }
            finally
            {
                File.Delete(path);
            }
        }

        [Fact]
        public void LayoutsAreThoseOfVexalLayout()
        {
            using var checker = new Checker();
            foreach (var type in new[] { "DSKO_04", "DSLN_01" })
            {
                var json = JsonDocument.Parse(Support.Run(new[] { "layout", "--format", "json", type })).RootElement;
                var layout = checker.Layout(type);
                Assert.Equal(json.GetProperty("field_count").GetInt64(), layout.FieldCount);
                Assert.Equal(json.GetProperty("minimum_length").GetInt64(), layout.MinimumLength);
                Assert.Equal(Value(json.GetProperty("record_length")), (object?)layout.RecordLength);
                var entries = json.GetProperty("entries").EnumerateArray().ToList();
                Assert.Equal(entries.Count, layout.Entries.Count);
                foreach (var (entry, e) in entries.Zip(layout.Entries))
                {
                    Assert.Equal(entry.GetProperty("kind").GetString() == "group", e.IsGroup);
                    Assert.Equal(entry.GetProperty("path").GetString(), e.Path);
                    Assert.Equal(entry.GetProperty("position").GetInt64(), e.Position);
                    Assert.Equal(Value(entry.GetProperty("position_after")), e.After);
                    if (!e.IsGroup) Assert.Equal(entry.GetProperty("length").GetInt64(), e.Length);
                }
            }
            Assert.Equal("ANUV", checker.Layout("DSLN_01").Entries.First(e => e.Path == "UV").CounterField);
        }

        [Fact]
        public void OptionsReachTheChecks()
        {
            var line = Support.ExampleLines()[0];
            using (var forced = new Checker(Support.Options(o => o.RecordType = "DSAS_01")))
            {
                var r = forced.CheckLine(line, 5);
                Assert.Equal((5L, "DSAS_01", (long?)463), (r.Line, r.RecordType, r.ExpectedLength));
            }
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
