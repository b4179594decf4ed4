package com.holm.zep.tovik.client;

/**
 * An application available on the PC, from {@link TovikRuntime#pcApplications}. Which fields
 * are filled depends on the form: {@link Form#NUMBERS} gives name, version and date;
 * {@link Form#NUMBERS_AND_TYPE} adds module type and application number; {@link Form#TEXTS}
 * gives name, version text, branch, date text, module type and application number. The fields
 * a form does not carry are 0 or empty.
 *
 * @param name the application's name
 * @param version the version number (unsigned 32-bit)
 * @param date the date as a number
 * @param moduleType the module type it is for
 * @param app the application number
 * @param versionText the version as text
 * @param branchName the branch it was built from
 * @param dateText the date as text
 */
public record PcApplication(String name, long version, long date, long moduleType, long app,
        String versionText, String branchName, String dateText) {
    /** The three forms of the PC application list. */
    public enum Form {
        /** Name, version and date ({@code vtxGetAppsPc}). */
        NUMBERS,
        /** Adds module type and application number ({@code vtxGetAppsPc2}). */
        NUMBERS_AND_TYPE,
        /** Texts for version, branch and date ({@code vtxGetAppsPc3}). */
        TEXTS
    }
}
