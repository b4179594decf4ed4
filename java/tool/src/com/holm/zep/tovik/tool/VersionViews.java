package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.Version;
import com.holm.zep.tovik.client.Versions;
import java.util.List;

/**
 * The version lists of the module (server) and of the PC side (client), and how numeric versions
 * and dates look wherever they are shown, so that every list shows them alike.
 */
final class VersionViews {
    private VersionViews() {
    }

    /**
     * A numeric version as its bytes, most significant first, from the third byte on: 0x00030000
     * is 3.0.0 and 0x05010000 is 5.1.0.0, as the provider's version texts write them.
     */
    static Report.Shown version(long value) {
        long v = Numbers.u32(value);
        StringBuilder text = new StringBuilder();
        for (int shift = 24; shift >= 0; shift -= 8) {
            long part = (v >>> shift) & 0xFF;
            if (shift == 24 && part == 0) {
                continue;
            }
            text.append(text.length() == 0 ? "" : ".").append(part);
        }
        return new Report.Shown(v, text.toString());
    }

    /** A numeric date yyyymmdd as 2024-01-15; any other number as it is. */
    static Report.Shown date(long value) {
        long v = Numbers.u32(value);
        long year = v / 10000;
        long month = v / 100 % 100;
        long day = v % 100;
        boolean plausible = year >= 1900 && year <= 9999 && month >= 1 && month <= 12
                && day >= 1 && day <= 31;
        return new Report.Shown(v, plausible ? String.format("%04d-%02d-%02d", year, month, day)
                : Long.toString(v));
    }

    static void versions(Session session, Report report, boolean texts) {
        Connection connection = session.connection();
        Versions versions = Operation.of("read versions", () -> connection.versions(texts
                ? Versions.Form.TEXTS : Versions.Form.NUMBERS));
        list(report, "Server (module) versions", "server", versions.server(), texts);
        report.note("");
        list(report, "Client (PC) versions", "client", versions.client(), texts);
    }

    private static void list(Report report, String heading, String key, List<Version> items,
            boolean texts) {
        report.title(heading);
        Report.Table table = texts
                ? report.table(key, col("COMPONENT", "name"), col("VERSION", "version"),
                        col("BRANCH", "branch"), col("DATE", "date"))
                : report.table(key, col("COMPONENT", "name"), col("VERSION", "version"),
                        col("DATE", "date"));
        for (Version item : items) {
            if (texts) {
                table.row(item.name(), item.versionText(), item.branchName(), item.dateText());
            } else {
                table.row(item.name(), version(item.version()), date(item.date()));
            }
        }
        table.print();
    }
}
