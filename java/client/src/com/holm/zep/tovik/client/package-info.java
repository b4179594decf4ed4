/**
 * The Java client of the Tovik library: what a Java application uses to drive vehicle
 * communication modules, built on the public methods of
 * {@link com.holm.zep.tovik.api.jni.TovikApiManager}.
 *
 * <p>Start at {@link com.holm.zep.tovik.client.TovikRuntime}: it opens a runtime, lists the
 * modules, connects to them ({@link com.holm.zep.tovik.client.Connection}) and delivers their
 * events. Results are records; refusals are
 * {@link com.holm.zep.tovik.client.TovikException}s named from
 * {@link com.holm.zep.tovik.client.ResultCode}; calls are visible in JDK Flight Recorder
 * ({@link com.holm.zep.tovik.client.CallEvent}) and the library's own log in
 * {@link System.Logger} ({@link com.holm.zep.tovik.client.NativeLog}), both off by default.
 */
package com.holm.zep.tovik.client;
