package com.holm.zep.tovik.client;

/**
 * A client connected to a module, part of {@link ModuleInfo} and {@link ModuleDetails}.
 *
 * @param owner whether this client owns the module
 * @param connectionType the connection type
 * @param connectionInterface the interface the client connected through
 * @param name the client's name
 * @param connectTime when the client connected, as the module reports it
 */
public record ConnectedClient(boolean owner, long connectionType, long connectionInterface,
        String name, String connectTime) {
}
