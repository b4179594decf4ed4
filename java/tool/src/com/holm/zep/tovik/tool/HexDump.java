package com.holm.zep.tovik.tool;

import java.io.ByteArrayOutputStream;
import java.util.ArrayList;
import java.util.List;

/** Hex dumps (16 bytes a line with offsets and printable characters) and hex input. */
final class HexDump {
    private HexDump() {
    }

    /** Lines of the dump: "00000010  41 42 ...  |AB..|". */
    static List<String> lines(byte[] bytes) {
        List<String> lines = new ArrayList<>();
        for (int offset = 0; offset < bytes.length; offset += 16) {
            StringBuilder hex = new StringBuilder();
            StringBuilder chars = new StringBuilder();
            for (int i = 0; i < 16; i++) {
                if (offset + i < bytes.length) {
                    int b = bytes[offset + i] & 0xFF;
                    hex.append(String.format("%02x ", b));
                    chars.append(b >= 0x20 && b < 0x7F ? (char) b : '.');
                } else {
                    hex.append("   ");
                }
                if (i == 7) {
                    hex.append(' ');
                }
            }
            lines.add(String.format("%08x  %s |%s|", offset, hex, chars));
        }
        return lines;
    }

    /** The bytes as one lower-case hex string (for JSON). */
    static String toHex(byte[] bytes) {
        StringBuilder b = new StringBuilder();
        for (byte x : bytes) {
            b.append(String.format("%02x", x & 0xFF));
        }
        return b.toString();
    }

    /** Shows bytes: a dump for people, "bytes" (hex) and "length" in JSON. */
    static void show(Report report, byte[] bytes) {
        report.field("Length", "length", bytes.length);
        report.raw("bytes", toHex(bytes));
        if (!report.json()) {
            for (String line : lines(bytes)) {
                report.out().println("  " + line);
            }
        }
    }

    /** Parses "0a0b0c", "0a 0b 0c" or "0a:0b:0c"; an empty text is no bytes. */
    static byte[] parse(String text) {
        String digits = text.replaceAll("[\\s:,]", "");
        if (digits.startsWith("0x") || digits.startsWith("0X")) {
            digits = digits.substring(2);
        }
        if (digits.length() % 2 != 0 || !digits.matches("[0-9a-fA-F]*")) {
            throw new ToolException(ToolException.USAGE, "parse hex", null,
                    "'" + text + "' is not a sequence of hex byte values");
        }
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        for (int i = 0; i < digits.length(); i += 2) {
            out.write(Integer.parseInt(digits.substring(i, i + 2), 16));
        }
        return out.toByteArray();
    }
}
