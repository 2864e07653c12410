package vexal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertInstanceOf;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.io.InputStream;
import java.lang.ref.Reference;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.ExecutionException;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.Test;

/** One checker per thread, as the class comment of Checker asks; a shared one refuses. */
class ThreadsTest {
  @Test
  void oneCheckerPerThreadOnAPoolOfFour() throws Exception {
    List<byte[]> lines = Fixture.exampleLines();
    List<Result> expected = new ArrayList<>();
    try (Checker checker = new Checker(Fixture.options())) {
      for (int i = 0; i < lines.size(); i++) {
        if (lines.get(i).length > 0) expected.add(checker.checkLine(lines.get(i), i + 1));
      }
    }
    ConcurrentLinkedQueue<Checker> made = new ConcurrentLinkedQueue<>();
    ThreadLocal<Checker> perThread = ThreadLocal.withInitial(() -> {
      Checker checker = new Checker(Fixture.options());
      made.add(checker);
      return checker;
    });
    ExecutorService pool = Executors.newFixedThreadPool(4);
    try {
      List<Future<List<Result>>> tasks = new ArrayList<>();
      for (int task = 0; task < 64; task++) {
        tasks.add(pool.submit(() -> {
          Checker checker = perThread.get();
          List<Result> results = new ArrayList<>();
          for (int i = 0; i < lines.size(); i++) {
            if (lines.get(i).length > 0) results.add(checker.checkLine(lines.get(i), i + 1));
          }
          return results;
        }));
      }
      for (Future<List<Result>> task : tasks) assertEquals(expected, task.get());
    } finally {
      pool.shutdown();
      assertTrue(pool.awaitTermination(1, TimeUnit.MINUTES));
      for (Checker checker : made) checker.close();
    }
    assertTrue(made.size() >= 2 && made.size() <= 4, made.size() + " checkers");
  }

  @Test
  void aCheckerSharedWhileItReadsRefusesTheOtherThread() throws Exception {
    CountDownLatch reading = new CountDownLatch(1);
    CountDownLatch tried = new CountDownLatch(1);
    InputStream waits = new InputStream() {
      @Override
      public int read() throws IOException {
        reading.countDown();
        try {
          tried.await();
        } catch (InterruptedException e) {
          throw new IOException(e);
        }
        return -1;
      }
    };
    ExecutorService reader = Executors.newSingleThreadExecutor();
    ExecutorService caller = Executors.newSingleThreadExecutor();
    try (Checker checker = new Checker(Fixture.options())) {
      Future<List<Result>> read = reader.submit(() -> Fixture.all(checker.check(waits)));
      assertTrue(reading.await(1, TimeUnit.MINUTES));
      byte[] line = Fixture.exampleLines().get(0);
      Future<Result> call = caller.submit(() -> checker.checkLine(line));
      ExecutionException e = assertThrows(ExecutionException.class, call::get);
      tried.countDown();
      assertEquals(Status.BUSY, assertInstanceOf(VexalException.class, e.getCause()).status());
      // The read went on undisturbed: an empty stream gives its file warning.
      assertEquals(Result.Kind.FILE_WARNING, read.get().get(0).kind());
      assertEquals(0, caller.submit(() -> checker.checkLine(line)).get().findings().size());
    } finally {
      reader.shutdown();
      caller.shutdown();
    }
  }

  @Test
  void aCheckerNeverClosedIsFreedByTheCleaner() throws InterruptedException {
    // Checkers other tests left unclosed may be cleaned at any collection; let them go first
    // so that the count below moves only with the checkers made here.
    awaitFewerThan(Integer.MAX_VALUE);
    int before = Checker.liveCheckers();
    List<Checker> held = new ArrayList<>();
    for (int i = 0; i < 16; i++) {
      held.add(new Checker(Fixture.options()));
      held.get(i).checkLine("DSKO".getBytes());
    }
    assertEquals(before + 16, Checker.liveCheckers());
    Reference.reachabilityFence(held);
    held = null;
    awaitFewerThan(before + 1);
    assertTrue(Checker.liveCheckers() <= before, Checker.liveCheckers() + " checkers left");
  }

  /** Collects until fewer than {@code limit} checkers live and the count has settled. */
  private static void awaitFewerThan(int limit) throws InterruptedException {
    int last = -1;
    for (int i = 0; i < 200; i++) {
      System.gc();
      Thread.sleep(50);
      int now = Checker.liveCheckers();
      if (now < limit && now == last) return;
      last = now;
    }
  }
}
