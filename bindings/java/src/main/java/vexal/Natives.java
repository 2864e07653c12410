package vexal;

import com.sun.jna.Platform;
import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.time.Duration;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Stream;

/**
 * Finds libvexalcheck, in this order, taking the first that is set and nothing else then:
 *
 * <ol>
 *   <li>the system property {@code vexal.library.path}: the library's file, or a folder holding
 *       it;
 *   <li>the environment variable {@code VEXAL_LIBRARY}: the library's file;
 *   <li>the jar: the natives under JNA's resource prefix of this platform ({@code linux-x86-64/},
 *       {@code win32-x86-64/}), listed in {@code vexal-natives.txt} there, copied together into a
 *       temporary folder, so that libvexalcheck finds libvexal and the libraries both need beside
 *       it, as in an installation. The folder goes when the JVM exits, except on Windows, where
 *       loaded DLLs cannot be deleted; there the next JVM removes it ({@link #removeStale}).
 * </ol>
 */
final class Natives {
  static final String PROPERTY = "vexal.library.path";
  static final String ENVIRONMENT = "VEXAL_LIBRARY";
  static final String LISTING = "vexal-natives.txt";
  static final String FOLDER_PREFIX = "vexal-natives";
  static final Duration STALE = Duration.ofMinutes(10);

  private Natives() {}

  static String fileName() {
    return Platform.isWindows() ? "vexalcheck.dll" : "libvexalcheck.so";
  }

  /** The absolute path of the libvexalcheck to load. */
  static String libvexalcheck() {
    return libvexalcheck(System.getProperty(PROPERTY), System.getenv(ENVIRONMENT));
  }

  /** The same for these values of the property and the environment variable. */
  static String libvexalcheck(String property, String environment) {
    if (property != null && !property.isEmpty()) {
      Path path = Path.of(property);
      if (Files.isDirectory(path)) path = path.resolve(fileName());
      return path.toAbsolutePath().toString();
    }
    if (environment != null && !environment.isEmpty()) {
      return Path.of(environment).toAbsolutePath().toString();
    }
    return fromJar().toString();
  }

  private static Path fromJar() {
    String prefix = Platform.RESOURCE_PREFIX;
    List<String> files = listing(prefix);
    try {
      Path folder = Files.createTempDirectory(FOLDER_PREFIX);
      // Deleted in the reverse order of registration: the files, then the folder.
      folder.toFile().deleteOnExit();
      if (Platform.isWindows()) removeStale(folder.getParent(), folder, STALE);
      for (String file : files) {
        Path target = folder.resolve(file);
        try (InputStream in = Natives.class.getResourceAsStream("/" + prefix + "/" + file)) {
          if (in == null) throw new IOException(prefix + "/" + file + " is listed but missing");
          Files.copy(in, target, StandardCopyOption.REPLACE_EXISTING);
        }
        target.toFile().deleteOnExit();
      }
      return folder.resolve(fileName()).toAbsolutePath();
    } catch (IOException e) {
      throw new VexalException(
          Status.LIBRARY_ERROR,
          "cannot unpack the natives of " + prefix + ": " + e.getMessage(),
          e);
    }
  }

  /**
   * Removes the natives folders that JVMs before this one left in temp: on Windows a loaded DLL
   * cannot be deleted, so deleteOnExit leaves them. A folder younger than age may belong to a JVM
   * still unpacking; one whose libvexalcheck cannot be deleted is loaded by a JVM still running.
   * Whatever cannot be deleted stays.
   */
  static void removeStale(Path temp, Path own, Duration age) {
    Instant young = Instant.now().minus(age);
    try (DirectoryStream<Path> folders = Files.newDirectoryStream(temp, FOLDER_PREFIX + "*")) {
      for (Path folder : folders) {
        try {
          if (folder.equals(own) || !Files.isDirectory(folder, LinkOption.NOFOLLOW_LINKS)
              || Files.getLastModifiedTime(folder).toInstant().isAfter(young)) {
            continue;
          }
          Files.deleteIfExists(folder.resolve(fileName())); // fails while loaded
          try (Stream<Path> files = Files.list(folder)) {
            for (Path file : files.toList()) Files.deleteIfExists(file);
          }
          Files.delete(folder);
        } catch (IOException inUse) {
          // another JVM's, or not ours to delete
        }
      }
    } catch (IOException unreadable) {
      // nothing to tidy
    }
  }

  private static List<String> listing(String prefix) {
    InputStream in = Natives.class.getResourceAsStream("/" + prefix + "/" + LISTING);
    if (in == null) {
      throw new VexalException(
          Status.LIBRARY_ERROR,
          "the jar holds no natives for " + prefix + "; set -D" + PROPERTY + " or " + ENVIRONMENT
              + " to the path of " + fileName());
    }
    List<String> files = new ArrayList<>();
    try (BufferedReader reader =
        new BufferedReader(new InputStreamReader(in, StandardCharsets.UTF_8))) {
      for (String line; (line = reader.readLine()) != null; ) {
        line = line.strip();
        if (!line.isEmpty()) files.add(line);
      }
    } catch (IOException e) {
      throw new VexalException(Status.LIBRARY_ERROR, "cannot read " + prefix + "/" + LISTING, e);
    }
    if (!files.contains(fileName())) {
      throw new VexalException(
          Status.LIBRARY_ERROR, prefix + "/" + LISTING + " does not list " + fileName());
    }
    return files;
  }
}
