package com.holm.zep.tovik.api.jni;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.channels.FileLock;
import java.nio.channels.OverlappingFileLockException;
import java.nio.charset.StandardCharsets;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardOpenOption;
import java.util.ArrayDeque;
import java.util.Deque;

/**
 * A folder {@code tovik-native-<pid>-<n>} that receives extracted natives, owned by this process
 * for as long as it is open: its lock file {@value #LOCK_FILE} is locked while files are
 * extracted and loaded, and closing removes the files, the lock file and the folder.
 *
 * <p>The lock is what tells a live extraction from one that a killed JVM left behind: the system
 * releases a dead process's locks, so {@link #removeStale(Path)} removes exactly the folders whose
 * lock file nobody holds. The owner writes its pid into the lock file only after locking it, so
 * an empty lock file belongs to an owner between creating and locking it and is left alone.
 */
final class ExtractionFolder implements AutoCloseable {
    static final String PREFIX = "tovik-native-";
    static final String LOCK_FILE = ".lock";

    private final Path folder;
    private final FileChannel lockChannel;
    private final Deque<Path> created = new ArrayDeque<>();

    private ExtractionFolder(Path folder, FileChannel lockChannel) {
        this.folder = folder;
        this.lockChannel = lockChannel;
    }

    /** The folder {@code tovik.native.dir} names, else {@code java.io.tmpdir}; made if missing. */
    static Path root() throws IOException {
        String configured = System.getProperty(NativeLibraryLoader.EXTRACTION_FOLDER_PROPERTY);
        if (configured == null || configured.isEmpty()) {
            configured = System.getProperty("java.io.tmpdir");
        }
        return Files.createDirectories(Paths.get(configured));
    }

    /** A new, locked extraction folder below {@code root}. */
    static ExtractionFolder create(Path root) throws IOException {
        long pid = ProcessHandle.current().pid();
        Path folder = Files.createTempDirectory(root, PREFIX + pid + "-");
        FileChannel channel = null;
        try {
            channel = FileChannel.open(folder.resolve(LOCK_FILE), StandardOpenOption.CREATE_NEW,
                    StandardOpenOption.WRITE);
            channel.lock();
            channel.write(ByteBuffer.wrap(Long.toString(pid).getBytes(StandardCharsets.US_ASCII)));
            ExtractionFolder extraction = new ExtractionFolder(folder, channel);
            extraction.created.push(folder);
            extraction.created.push(folder.resolve(LOCK_FILE));
            return extraction;
        } catch (IOException | RuntimeException e) {
            if (channel != null) {
                channel.close();
            }
            Files.deleteIfExists(folder.resolve(LOCK_FILE));
            Files.deleteIfExists(folder);
            throw e;
        }
    }

    /** Path for a new file {@code name} in the folder, removed again by {@link #close()}. */
    Path newFile(String name) {
        Path file = folder.resolve(name);
        created.push(file);
        return file;
    }

    /**
     * Deletes the extracted files, the lock file and the folder, then gives up the lock: loaded
     * libraries stay mapped. What the system keeps in use goes at exit.
     */
    @Override
    public void close() throws IOException {
        try {
            for (Path path : created) {
                try {
                    Files.deleteIfExists(path);
                } catch (IOException inUse) {
                    path.toFile().deleteOnExit();
                }
            }
        } finally {
            lockChannel.close();
        }
    }

    /**
     * Removes the extraction folders below {@code root} that no live process owns. Best effort:
     * what cannot be examined or removed is left as it is.
     */
    static void removeStale(Path root) {
        String ownPrefix = PREFIX + ProcessHandle.current().pid() + "-";
        try (DirectoryStream<Path> folders = Files.newDirectoryStream(root, PREFIX + "*")) {
            for (Path folder : folders) {
                // This JVM's own folders are in use; opening their lock file here would even
                // release the lock (a process's locks on a file end with any of its channels).
                String name = folder.getFileName().toString();
                if (!name.startsWith(ownPrefix) && Files.isDirectory(folder)) {
                    removeIfAbandoned(folder);
                }
            }
        } catch (IOException | RuntimeException e) {
            // Cleaning up is a courtesy to the next run; it never stops a load.
        }
    }

    /** Removes one folder if nobody holds its lock; what cannot be removed stays. */
    private static void removeIfAbandoned(Path folder) {
        try {
            removeIfUnlocked(folder);
        } catch (IOException | RuntimeException e) {
            // Left for a later run, like a folder still in use.
        }
    }

    private static void removeIfUnlocked(Path folder) throws IOException {
        Path lockFile = folder.resolve(LOCK_FILE);
        if (!Files.isRegularFile(lockFile)) {
            return;
        }
        try (FileChannel channel = FileChannel.open(lockFile, StandardOpenOption.WRITE)) {
            FileLock lock;
            try {
                lock = channel.tryLock();
            } catch (OverlappingFileLockException heldHere) {
                return;
            }
            if (lock == null || channel.size() == 0) {
                return;
            }
            try (DirectoryStream<Path> files = Files.newDirectoryStream(folder)) {
                for (Path file : files) {
                    if (!file.equals(lockFile)) {
                        Files.deleteIfExists(file);
                    }
                }
            }
            Files.deleteIfExists(lockFile);
            Files.deleteIfExists(folder);
        }
    }
}
