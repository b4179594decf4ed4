package com.holm.zep.tovik.client;

/**
 * One entry of a version list. The numeric form ({@link Versions.Form#NUMBERS}) fills name,
 * version and date and leaves the texts empty; the text form ({@link Versions.Form#TEXTS}) fills
 * name, version text, branch and date text and leaves the numbers 0.
 *
 * @param name the component's name
 * @param version the version number (unsigned 32-bit)
 * @param date the date as a number
 * @param versionText the version as text
 * @param branchName the branch the component was built from
 * @param dateText the date as text
 */
public record Version(String name, long version, long date, String versionText,
        String branchName, String dateText) {
}
