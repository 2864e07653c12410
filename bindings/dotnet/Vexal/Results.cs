using System.Collections.Generic;

namespace Vexal
{
    /// <summary>What a result is about: vx_kind of vexal/check.h.</summary>
    public enum ResultKind
    {
        /// <summary>An empty line given to CheckLine: nothing to check.</summary>
        Empty = 0,
        /// <summary>A line checked as a record; findings when it has faults.</summary>
        Record = 1,
        /// <summary>A line that could not be checked; <see cref="Result.Error"/> says why.</summary>
        Error = 2,
        /// <summary>About the file as a whole; <see cref="Result.FileWarning"/> says what.</summary>
        FileWarning = 3,
    }

    /// <summary>
    /// What one line gave, or a warning about the whole file. Immutable. It
    /// carries the keys of the jsonl objects <c>record</c> (<see cref="Findings"/>
    /// counts them), <c>warning</c> (<see cref="Warning"/> and both lengths),
    /// <c>error</c> (<see cref="Error"/>) and <c>file_warning</c>
    /// (<see cref="FileWarning"/>; <see cref="Line"/> 0 for none in particular).
    /// </summary>
    public sealed class Result
    {
        internal Result(ResultKind kind, string? file, long line, string? recordType, string? warning,
            long? expectedLength, long? actualLength, string? error, string? fileWarning,
            IReadOnlyList<Finding> findings)
        {
            Kind = kind;
            File = file;
            Line = line;
            RecordType = recordType;
            Warning = warning;
            ExpectedLength = expectedLength;
            ActualLength = actualLength;
            Error = error;
            FileWarning = fileWarning;
            Findings = findings;
        }

        /// <summary>What the result is about.</summary>
        public ResultKind Kind { get; }
        /// <summary>The file as given to CheckFile, the name given to Check; null for CheckLine.</summary>
        public string? File { get; }
        /// <summary>1-based line number; 0 for a file warning about no line in particular.</summary>
        public long Line { get; }
        /// <summary>The record type of a line that was cut; null otherwise.</summary>
        public string? RecordType { get; }
        /// <summary>The length warning ("record too short: ..."); null when the length fits.</summary>
        public string? Warning { get; }
        /// <summary>The length the layout implies; set whenever <see cref="RecordType"/> is.</summary>
        public long? ExpectedLength { get; }
        /// <summary>The line's length in characters; set whenever <see cref="RecordType"/> is.</summary>
        public long? ActualLength { get; }
        /// <summary>Why the line was not checked.</summary>
        public string? Error { get; }
        /// <summary>What is wrong with the file.</summary>
        public string? FileWarning { get; }
        /// <summary>The findings, in the order the rule set wrote them.</summary>
        public IReadOnlyList<Finding> Findings { get; }
    }

    /// <summary>
    /// A failed rule or a field that does not conform. Immutable. Its
    /// properties are the keys of a <c>finding</c> object of
    /// <c>vexal check --format jsonl</c> with the same values (null for
    /// null), and <see cref="Label"/> and <see cref="Text"/> as the text format
    /// prints them: <c>FILE:LINE: RECORD-TYPE Label: Text</c>.
    /// </summary>
    public sealed class Finding
    {
        internal Finding(string? file, long line, string? recordType, string? id, string? check, string? code,
            int problemType, int weight, int infoType, string? shortDescription, string? longDescription,
            string? correctionInfo, string? referenceTopic, string? referenceField, string? fieldDisplayName,
            int? fieldType, int? fieldLength, string? fieldMask, string? exception, string label, string text)
        {
            File = file;
            Line = line;
            RecordType = recordType;
            Id = id;
            Check = check;
            Code = code;
            ProblemType = problemType;
            Weight = weight;
            InfoType = infoType;
            ShortDescription = shortDescription;
            LongDescription = longDescription;
            CorrectionInfo = correctionInfo;
            ReferenceTopic = referenceTopic;
            ReferenceField = referenceField;
            FieldDisplayName = fieldDisplayName;
            FieldType = fieldType;
            FieldLength = fieldLength;
            FieldMask = fieldMask;
            Exception = exception;
            Label = label;
            Text = text;
        }

        /// <summary><c>file</c>: as given to CheckFile or Check; null for CheckLine.</summary>
        public string? File { get; }
        /// <summary><c>line</c>: 1-based line number.</summary>
        public long Line { get; }
        /// <summary><c>record_type</c>, e.g. "DSKO_04".</summary>
        public string? RecordType { get; }
        /// <summary><c>id</c>: the final id, its place, '#', its check ("UV[2].BBNRGT#BBNRGT").</summary>
        public string? Id { get; }
        /// <summary><c>check</c>: the part of <see cref="Id"/> after its last '#'.</summary>
        public string? Check { get; }
        /// <summary><c>code</c>: the error identifier ("DSKO080"); null when none.</summary>
        public string? Code { get; }
        /// <summary><c>problem_type</c>: 1 field finding, 2 rule finding.</summary>
        public int ProblemType { get; }
        /// <summary><c>weight</c>: the problem weight.</summary>
        public int Weight { get; }
        /// <summary><c>info_type</c>: 0 general, 1 not supplied, 2 does not conform, 3 too long.</summary>
        public int InfoType { get; }
        /// <summary><c>short_description</c>.</summary>
        public string? ShortDescription { get; }
        /// <summary><c>long_description</c>.</summary>
        public string? LongDescription { get; }
        /// <summary><c>correction_info</c>.</summary>
        public string? CorrectionInfo { get; }
        /// <summary><c>reference_topic</c>: the record type or a block name.</summary>
        public string? ReferenceTopic { get; }
        /// <summary><c>reference_field</c>: where the finding stands ("UV[2].BBNRGT").</summary>
        public string? ReferenceField { get; }
        /// <summary><c>field_display_name</c>.</summary>
        public string? FieldDisplayName { get; }
        /// <summary><c>field_type</c>: 0 alphanumeric, 2 numeric, 4 date/time; null when none.</summary>
        public int? FieldType { get; }
        /// <summary><c>field_length</c>; null when none.</summary>
        public int? FieldLength { get; }
        /// <summary><c>field_mask</c>, e.g. "0##".</summary>
        public string? FieldMask { get; }
        /// <summary><c>exception</c>: the text of an exception raised while checking.</summary>
        public string? Exception { get; }
        /// <summary>The place as the text format prints it: "P_ED", "UV[2].BBNRGT".</summary>
        public string Label { get; }
        /// <summary>The text as the text format prints it.</summary>
        public string Text { get; }
    }

    /// <summary>A record layout, as <c>vexal layout</c> shows it. Immutable.</summary>
    public sealed class Layout
    {
        internal Layout(string recordType, bool built, long fieldCount, long minimumLength, long? recordLength,
            IReadOnlyList<LayoutEntry> entries)
        {
            RecordType = recordType;
            Built = built;
            FieldCount = fieldCount;
            MinimumLength = minimumLength;
            RecordLength = recordLength;
            Entries = entries;
        }

        /// <summary>The record type.</summary>
        public string RecordType { get; }
        /// <summary>False when the library has an empty layout for the record type.</summary>
        public bool Built { get; }
        /// <summary>The number of fields.</summary>
        public long FieldCount { get; }
        /// <summary>The length of a record whose variable groups do not occur.</summary>
        public long MinimumLength { get; }
        /// <summary>The record length; null when groups vary in size.</summary>
        public long? RecordLength { get; }
        /// <summary>Fields and groups in record order.</summary>
        public IReadOnlyList<LayoutEntry> Entries { get; }
    }

    /// <summary>A field or a group of a record layout. Immutable.</summary>
    public sealed class LayoutEntry
    {
        internal LayoutEntry(bool isGroup, int depth, string path, string name, long position, string? after,
            long? length, string? type, string? displayName, long? occurrenceLength, string? counterField,
            string? occurs)
        {
            IsGroup = isGroup;
            Depth = depth;
            Path = path;
            Name = name;
            Position = position;
            After = after;
            Length = length;
            Type = type;
            DisplayName = displayName;
            OccurrenceLength = occurrenceLength;
            CounterField = counterField;
            Occurs = occurs;
        }

        /// <summary>True for a group, false for a field.</summary>
        public bool IsGroup { get; }
        /// <summary>The number of enclosing groups.</summary>
        public int Depth { get; }
        /// <summary>"UV.BBNRGT".</summary>
        public string Path { get; }
        /// <summary>"BBNRGT".</summary>
        public string Name { get; }
        /// <summary>1-based; from the end of <see cref="After"/> when it is set.</summary>
        public long Position { get; }
        /// <summary>The group of variable size the position counts from, or null.</summary>
        public string? After { get; }
        /// <summary>Fields: the length; null for groups.</summary>
        public long? Length { get; }
        /// <summary>Fields: "alphanumeric" or "numeric".</summary>
        public string? Type { get; }
        /// <summary>Fields: the display name from the rule set, or null.</summary>
        public string? DisplayName { get; }
        /// <summary>Groups: characters of one occurrence; null when it varies.</summary>
        public long? OccurrenceLength { get; }
        /// <summary>Groups: the field that counts the occurrences, or null.</summary>
        public string? CounterField { get; }
        /// <summary>Groups: how they occur, in words.</summary>
        public string? Occurs { get; }
    }
}
