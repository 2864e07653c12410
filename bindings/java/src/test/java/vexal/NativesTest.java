package vexal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.attribute.FileTime;
import java.time.Duration;
import java.time.Instant;
import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/** Where the natives come from: the property, else VEXAL_LIBRARY, else the jar. */
class NativesTest {
  @ParameterizedTest
  @CsvSource(nullValues = "none", value = {
    // property, VEXAL_LIBRARY, loaded
    "/opt/a/libvexalcheck.so, none, /opt/a/libvexalcheck.so",
    "/opt/a/libvexalcheck.so, /opt/b/libvexalcheck.so, /opt/a/libvexalcheck.so",
    "'', /opt/b/libvexalcheck.so, /opt/b/libvexalcheck.so",
    "none, /opt/b/libvexalcheck.so, /opt/b/libvexalcheck.so",
    "/tmp, none, /tmp/libvexalcheck.so", // a folder
    "lib/libvexalcheck.so, none, CWD/lib/libvexalcheck.so",
  })
  void thePropertyWinsOverTheEnvironment(String property, String environment, String loaded) {
    String cwd = Path.of("").toAbsolutePath().toString();
    assertEquals(loaded.replace("CWD", cwd), Natives.libvexalcheck(property, environment));
  }

  @Test
  void withoutEitherTheJarsNativesAreUnpackedSideBySide() throws Exception {
    assumeTrue(Natives.class.getResource("/linux-x86-64/" + Natives.LISTING) != null,
        "built without natives (Maven without -Dvexal.natives)");
    Path library = Path.of(Natives.libvexalcheck(null, null));
    assertEquals("libvexalcheck.so", library.getFileName().toString());
    for (String file : List.of("libvexalcheck.so", "libvexal.so", "libpl_runtime.so",
        "libvexal-mod.so")) {
      Path unpacked = library.resolveSibling(file);
      assertTrue(Files.size(unpacked) > 0, unpacked.toString());
    }
  }

  @Test
  void foldersThatEarlierJvmsLeftAreRemovedOnceOld(@TempDir Path temp) throws Exception {
    Map<String, Boolean> kept = Map.of("vexal-natives1", false, "vexal-natives2", true,
        "vexal-natives3", true, "other", true); // left, own, young, not ours
    FileTime hourAgo = FileTime.from(Instant.now().minus(Duration.ofHours(1)));
    for (String name : kept.keySet()) {
      Path folder = Files.createDirectory(temp.resolve(name));
      Files.writeString(folder.resolve("libvexalcheck.so"), "x");
      Files.writeString(folder.resolve("libvexal.so"), "x");
      if (!name.equals("vexal-natives3")) Files.setLastModifiedTime(folder, hourAgo);
    }
    Natives.removeStale(temp, temp.resolve("vexal-natives2"), Duration.ofMinutes(10));
    kept.forEach((name, stays) -> assertEquals(stays, Files.exists(temp.resolve(name)), name));
  }
}
