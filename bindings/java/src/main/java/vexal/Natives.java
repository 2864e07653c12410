package vexal;

import com.sun.jna.Platform;
import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.List;

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
 *       it, as in an installation.
 * </ol>
 */
final class Natives {
  static final String PROPERTY = "vexal.library.path";
  static final String ENVIRONMENT = "VEXAL_LIBRARY";
  static final String LISTING = "vexal-natives.txt";

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
      Path folder = Files.createTempDirectory("vexal-natives");
      // Deleted in the reverse order of registration: the files, then the folder.
      folder.toFile().deleteOnExit();
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
