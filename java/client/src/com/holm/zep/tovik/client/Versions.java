package com.holm.zep.tovik.client;

import java.util.List;

/**
 * The server (module) and client version lists, from {@link TovikRuntime#versions}.
 *
 * @param server the server versions, in the provider's order
 * @param client the client versions, in the provider's order
 */
public record Versions(List<Version> server, List<Version> client) {
    /** Which of the two forms of the version lists to read. */
    public enum Form {
        /** Version and date as numbers ({@code vtxGetVersionInformation}). */
        NUMBERS,
        /** Version, branch and date as texts ({@code vtxGetVersionInformation2}). */
        TEXTS
    }

    /** Takes unmodifiable copies of the lists. */}
