package com.holm.zep.tovik.client;

/**
 * A module present, as listed by {@link TovikRuntime#modules()}.
 *
 * @param state the module's state, as the provider reports it
 * @param name the module's name
 * @param serialNumber the serial number (unsigned 32-bit), which {@link TovikRuntime#connect}
 *     and {@link TovikRuntime#moduleInfo} take
 * @param vciInterface the interface through which the module is reached
 * @param type the module type
 */
public record Module(long state, String name, long serialNumber, long vciInterface, long type) {
}
