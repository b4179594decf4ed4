package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikVersionInfo;
import com.holm.zep.tovik.api.jni.TovikVersionItem;

/** The version lists of the module (server) and of the PC side (client). */
final class VersionViews {
    private VersionViews() {
    }

    static void versions(Session session, Report report, boolean texts) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikVersionInfo info = new TovikVersionInfo();
        if (texts) {
            session.run("read versions", "vtxGetVersionInformation2",
                    r -> api.vtxGetVersionInformation2(session.manager(), connection, 0, info, r));
        } else {
            session.run("read versions", "vtxGetVersionInformation",
                    r -> api.vtxGetVersionInformation(session.manager(), connection, 0, info, r));
        }
        list(report, "Server (module) versions", "server", info.getServerVersions(), texts);
        report.note("");
        list(report, "Client (PC) versions", "client", info.getClientVersions(), texts);
    }

    private static void list(Report report, String heading, String key, TovikVersionItem[] items,
            boolean texts) {
        report.title(heading);
        Report.Table table = texts
                ? report.table(key, col("COMPONENT", "name"), col("VERSION", "version"),
                        col("BRANCH", "branch"), col("DATE", "date"))
                : report.table(key, col("COMPONENT", "name"), col("VERSION", "version"),
                        col("DATE", "date"));
        if (items != null) {
            for (TovikVersionItem item : items) {
                if (texts) {
                    table.row(item.getName(), item.getVersionStr(), item.getBranchName(),
                            item.getDateStr());
                } else {
                    table.row(item.getName(), item.getVersion(), item.getDate());
                }
            }
        }
        table.print();
    }
}
