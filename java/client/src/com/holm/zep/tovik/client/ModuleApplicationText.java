package com.holm.zep.tovik.client;

/**
 * An application on a module with version and date as texts, from
 * {@link Connection#applicationTexts}.
 *
 * @param app the application number
 * @param name the application's name
 * @param versionText the version as text
 * @param branchName the branch it was built from
 * @param dateText the date as text
 * @param state the application's state on the module
 */
public record ModuleApplicationText(long app, String name, String versionText, String branchName,
        String dateText, long state) {
}
