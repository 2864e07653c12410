using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Threading;
using System.Threading.Tasks;
using Xunit;

namespace Vexal.Tests
{
    public class MisuseTests
    {
        public static IEnumerable<object[]> BadOptions() => new[]
        {
            new object[] { new CheckerOptions { Today = "8.12.2026" }, VexalStatus.InvalidArgument, "today wants a date JJJJMMTT" },
            new object[] { new CheckerOptions { RecordType = "DSKO_99" }, VexalStatus.InvalidArgument, "unknown record type 'DSKO_99'" },
            new object[] { new CheckerOptions { Level = -3 }, VexalStatus.InvalidArgument, "level wants a number 0 or greater" },
            new object[] { new CheckerOptions { LibraryPath = "/nonexistent/libvexal.so" }, VexalStatus.LibraryError, "cannot load the library /nonexistent/libvexal.so" },
            new object[] { new CheckerOptions { Today = "2026\01208" }, VexalStatus.InvalidArgument, "Today holds a NUL character" },
        };

        [Theory]
        [MemberData(nameof(BadOptions))]
        public void BadOptionsGiveTheMessageOfTheLibrary(CheckerOptions options, VexalStatus status, string message)
        {
            var e = Assert.Throws<VexalException>(() => new Checker(options));
            Assert.Equal(status, e.Status);
            Assert.Contains(message, e.Message);
        }

        [Fact]
        public void FailedCallsGiveStatusAndMessage()
        {
            using var checker = new Checker();
            var io = Assert.Throws<VexalException>(() => checker.CheckFile("/nonexistent/records.txt").ToList());
            Assert.Equal(("VX_IO_ERROR", true), (io.StatusName, io.Message.Contains("cannot open /nonexistent/records.txt")));
            var layout = Assert.Throws<VexalException>(() => checker.Layout("DSXX"));
            Assert.Equal(VexalStatus.InvalidArgument, layout.Status);
            Assert.Contains("unknown record type 'DSXX'", layout.Message);
            var broken = Assert.Throws<VexalException>(() => checker.Check(new BrokenStream()).ToList());
            Assert.Equal(VexalStatus.IoError, broken.Status);
            Assert.IsType<IOException>(broken.InnerException);
            Assert.Contains("disk gone", broken.Message);
            // The checker is still usable.
            Assert.Equal(29, checker.CheckFile(Support.Example).Count());
        }

        [Fact]
        public unsafe void StatusNamesAreThoseOfTheLibrary()
        {
            Assert.Equal("1.0", Checker.LibraryVersion);
            for (int status = 0; status <= 8; ++status)
                Assert.Equal(Native.Text(Native.vx_status_name(status)), VexalException.NameOf((VexalStatus)status));
        }

        public static IEnumerable<object[]> Calls() => new[]
        {
            new object[] { "CheckLine", (Action<Checker>)(c => c.CheckLine(new byte[] { 0x44 })) },
            new object[] { "CheckFile", (Action<Checker>)(c => c.CheckFile(Support.Example)) },
            new object[] { "Check", (Action<Checker>)(c => c.Check(new MemoryStream())) },
            new object[] { "Layout", (Action<Checker>)(c => c.Layout("DSKO_04")) },
            new object[] { "an enumeration begun before", null! },
        };

        [Theory]
        [MemberData(nameof(Calls))]
        public void CallsAfterDisposeThrow(string name, Action<Checker>? call)
        {
            var checker = new Checker(Support.Options());
            using var begun = checker.CheckFile(Support.Example).GetEnumerator();
            Assert.True(begun.MoveNext());
            checker.Dispose();
            checker.Dispose();
            var e = Assert.Throws<ObjectDisposedException>(() => { if (call == null) begun.MoveNext(); else call(checker); });
            Assert.True(e.ObjectName == nameof(Checker), name);
        }

        [Fact]
        public void AForgottenDisposeFreesTheCheckerInTheFinalizer()
        {
            long before = CheckerHandle.Released;
            MakeAndForget(3);
            for (int i = 0; i < 10 && CheckerHandle.Released < before + 3; ++i)
            {
                GC.Collect();
                GC.WaitForPendingFinalizers();
            }
            Assert.True(CheckerHandle.Released >= before + 3, $"{CheckerHandle.Released - before} of 3 freed");
        }

        [System.Runtime.CompilerServices.MethodImpl(System.Runtime.CompilerServices.MethodImplOptions.NoInlining)]
        private static void MakeAndForget(int count)
        {
            for (int i = 0; i < count; ++i) new Checker().CheckLine(Support.ExampleLines()[0]);
        }

        [Fact]
        public void ACallFromInsideTheStreamReadIsRefusedAsBusy()
        {
            using var checker = new Checker(Support.Options());
            var stream = new CallingStream(File.ReadAllBytes(Support.Example), () => checker.CheckLine(new byte[] { 0x44 }));
            var e = Assert.Throws<VexalException>(() => checker.Check(stream).ToList());
            var busy = Assert.IsType<VexalException>(e.InnerException);
            Assert.Equal(VexalStatus.Busy, busy.Status);
            Assert.Equal(29, checker.CheckFile(Support.Example).Count());
        }

        [Fact]
        public void ANewInputEndsTheEnumerationOfTheOneBefore()
        {
            using var checker = new Checker(Support.Options());
            using var first = checker.CheckFile(Support.Example).GetEnumerator();
            Assert.True(first.MoveNext());
            Assert.Equal(29, checker.Check(new MemoryStream(File.ReadAllBytes(Support.Example))).Count());
            Assert.Throws<InvalidOperationException>(() => first.MoveNext());
            using var left = checker.CheckFile(Support.Example).GetEnumerator();
            Assert.True(left.MoveNext());
            left.Dispose();
            Assert.Equal(29, checker.CheckFile(Support.Example).Count());
        }

        [Fact]
        public async Task OneCheckerPerTaskFindsWhatOneCheckerAloneFinds()
        {
            List<string> Run()
            {
                using var checker = new Checker(Support.Options());
                var found = new List<string>();
                for (int round = 0; round < 20; ++round)
                    found.AddRange(checker.CheckFile(Support.Example).SelectMany(r => r.Findings).Select(f => f.Line + f.Id));
                return found;
            }
            var alone = Run();
            var tasks = Enumerable.Range(0, 4).Select(_ => Task.Factory.StartNew(Run, TaskCreationOptions.LongRunning)).ToArray();
            foreach (var found in await Task.WhenAll(tasks)) Assert.Equal(alone, found);
            Assert.Equal(60 * 20, alone.Count);
        }

        [Fact]
        public void OneCheckerSharedByThreadsRefusesWhatItCannotServe()
        {
            // Every call either succeeds with the full answer or is refused as
            // busy; none sees another's result.
            using var checker = new Checker(Support.Options());
            var line = Support.ExampleLines()[3];
            int expected = checker.CheckLine(line).Findings.Count;
            int refused = 0, wrong = 0;
            Parallel.For(0, 4, _ =>
            {
                for (int i = 0; i < 2000; ++i)
                {
                    try
                    {
                        if (checker.CheckLine(line).Findings.Count != expected) Interlocked.Increment(ref wrong);
                    }
                    catch (VexalException e) when (e.Status == VexalStatus.Busy)
                    {
                        Interlocked.Increment(ref refused);
                    }
                }
            });
            Assert.Equal(0, wrong);
            Assert.True(expected > 0);
        }

        private sealed class BrokenStream : MemoryStream
        {
            public override int Read(byte[] buffer, int offset, int count) => throw new IOException("disk gone");
            public override int Read(Span<byte> buffer) => throw new IOException("disk gone");
        }

        private sealed class CallingStream : MemoryStream
        {
            private readonly Action call;
            public CallingStream(byte[] bytes, Action call) : base(bytes) => this.call = call;
            public override int Read(byte[] buffer, int offset, int count) { call(); return base.Read(buffer, offset, count); }
            public override int Read(Span<byte> buffer) { call(); return base.Read(buffer); }
        }
    }
}
