package com.holm.zep.tovik.client;

/**
 * An application on a module with its licence, from {@link Connection#applications}.
 *
 * @param app the application number
 * @param name the application's name
 * @param version the version number (unsigned 32-bit)
 * @param date the date as a number
 * @param state the application's state on the module
 * @param license the licence text
 * @param licenseState the licence state
 * @param daysRemaining days the licence has left
 * @param timesRemaining uses the licence has left: the low 32 bits of the module's count, so
 *     counts of 2^31 and above read negative
 */
public record ModuleApplication(long app, String name, long version, long date, long state,
        String license, long licenseState, long daysRemaining, int timesRemaining) {
}
