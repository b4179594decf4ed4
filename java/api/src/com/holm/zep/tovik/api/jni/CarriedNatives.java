package com.holm.zep.tovik.api.jni;

import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.security.DigestInputStream;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.HexFormat;
import java.util.LinkedHashMap;
import java.util.Locale;
import java.util.Map;

/**
 * The natives one jar carries for one library and platform: the library and the libraries it
 * links to, listed with their SHA-256 in {@code /native/<platform>/<name>.SHA256SUMS}, read
 * through the class that carries them (so through its own loader and module). The list is named
 * after the library because jars that share a class loader see each other's resources, the
 * first one found winning; a file that two jars carry alike (the platform layer) may come from
 * either, and is checked against this jar's list.
 */
final class CarriedNatives {
    private static final String CHECKSUMS = ".SHA256SUMS";

    private final Class<?> carrier;
    private final String folder;
    private final String list;
    /** File name to expected SHA-256 in lower-case hex, in the list's order. */
    private final Map<String, String> checksums;

    private CarriedNatives(Class<?> carrier, String folder, String list,
            Map<String, String> checksums) {
        this.carrier = carrier;
        this.folder = folder;
        this.list = list;
        this.checksums = checksums;
    }

    /** Resource folder of a platform's natives, e.g. {@code /native/linux-x86_64/}. */
    static String folder(String platform) {
        return "/native/" + platform + "/";
    }

    /** Resource name of the list of library {@code name}. */
    static String list(String platform, String name) {
        return folder(platform) + name + CHECKSUMS;
    }

    /**
     * What the carrier's jar holds for library {@code name} on the platform; null when it
     * carries nothing for it.
     *
     * @throws IOException when the list cannot be read or is malformed
     */
    static CarriedNatives of(Class<?> carrier, String platform, String name) throws IOException {
        String list = list(platform, name);
        try (InputStream in = carrier.getResourceAsStream(list)) {
            if (in == null) {
                return null;
            }
            return new CarriedNatives(carrier, folder(platform), list,
                    parse(list, new String(in.readAllBytes(), StandardCharsets.UTF_8)));
        }
    }

    /** "hex  name" lines as sha256sum writes them; names are plain file names. */
    private static Map<String, String> parse(String list, String text) throws IOException {
        Map<String, String> checksums = new LinkedHashMap<>();
        for (String line : text.split("\n")) {
            if (line.isBlank()) {
                continue;
            }
            int gap = line.indexOf("  ");
            String name = gap < 0 ? "" : line.substring(gap + 2).trim();
            boolean plainName = !name.isEmpty() && !name.contains("/") && !name.contains("\\")
                    && !name.startsWith(".");
            if (gap != 64 || !plainName) {
                throw new IOException("malformed line in " + list + ": " + line);
            }
            checksums.put(name, line.substring(0, gap).toLowerCase(Locale.ROOT));
        }
        return checksums;
    }

    /**
     * Copies every carried file into the folder, checking each against its recorded checksum,
     * and returns the file of library {@code name}: {@code lib<name>.so} or, under its SONAME,
     * {@code lib<name>.so.<version>}.
     */
    Path extract(String name, ExtractionFolder target) throws IOException {
        String plain = System.mapLibraryName(name);
        Path library = null;
        for (Map.Entry<String, String> entry : checksums.entrySet()) {
            Path file = copyChecked(entry.getKey(), entry.getValue(), target);
            if (entry.getKey().equals(plain) || entry.getKey().startsWith(plain + ".")) {
                library = file;
            }
        }
        if (library == null) {
            throw new IOException(list + " does not list " + plain);
        }
        return library;
    }

    private Path copyChecked(String name, String expected, ExtractionFolder target)
            throws IOException {
        Path file = target.newFile(name);
        MessageDigest digest = sha256();
        try (InputStream in = carrier.getResourceAsStream(folder + name)) {
            if (in == null) {
                throw new IOException(list + " lists " + folder + name + ", which the jar lacks");
            }
            Files.copy(new DigestInputStream(in, digest), file);
        }
        String actual = HexFormat.of().formatHex(digest.digest());
        if (!actual.equals(expected)) {
            throw new IOException("checksum mismatch for " + folder + name + ": SHA-256 " + actual
                    + ", recorded " + expected);
        }
        return file;
    }

    private static MessageDigest sha256() throws IOException {
        try {
            return MessageDigest.getInstance("SHA-256");
        } catch (NoSuchAlgorithmException e) {
            throw new IOException("SHA-256 is not available", e);
        }
    }
}
