using System.Collections.Generic;

namespace Vexal
{
    /// <summary>How a <see cref="Checker"/> checks: the fields of vx_options.</summary>
    public sealed class CheckerOptions
    {
        /// <summary>The processing date "JJJJMMTT"; null: the local date.</summary>
        public string? Today { get; set; }

        /// <summary>
        /// Init parameters of the rule sets (ipMjahrSchalttag=1201 and so on),
        /// set in order after the default ipMjahrSchalttag=1201; a later one wins.
        /// </summary>
        public IEnumerable<KeyValuePair<string, string>>? Parameters { get; set; }

        /// <summary>The problem-weight level, 0 or greater (default 1); above 1 the check procedures are skipped.</summary>
        public int Level { get; set; } = 1;

        /// <summary>Check every line as this record type ("DSKO_04", ...); null: tell it from the line.</summary>
        public string? RecordType { get; set; }

        /// <summary>The libvexal to load; null: the one beside libvexalcheck.</summary>
        public string? LibraryPath { get; set; }
    }
}
