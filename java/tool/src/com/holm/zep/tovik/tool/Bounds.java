package com.holm.zep.tovik.tool;

import java.lang.annotation.ElementType;
import java.lang.annotation.Retention;
import java.lang.annotation.RetentionPolicy;
import java.lang.annotation.Target;
import java.lang.reflect.Field;
import picocli.CommandLine.Model.ArgSpec;
import picocli.CommandLine.Model.OptionSpec;
import picocli.CommandLine.Model.PositionalParamSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.ParseResult;

/**
 * The range of a number of the tool's own (a time, a query form, a digit), checked for every
 * option or parameter given on the command line before the command runs. Values handed to the
 * provider are {@link U32}s, whose range their converter checks.
 */
@Retention(RetentionPolicy.RUNTIME)
@Target(ElementType.FIELD)
@interface Bounds {
    double min();

    double max();

    /** Checks every matched argument of the parsed command and its subcommands. */
    final class Check {
        private Check() {
        }

        static void all(ParseResult parsed) {
            for (ParseResult p = parsed; p != null; p = p.subcommand()) {
                for (ArgSpec arg : p.matchedArgs()) {
                    check(p, arg);
                }
            }
        }

        private static void check(ParseResult parsed, ArgSpec arg) {
            if (!(arg.userObject() instanceof Field field)) {
                return;
            }
            Bounds bounds = field.getAnnotation(Bounds.class);
            Object value = arg.getValue();
            if (bounds == null || !(value instanceof Number number)) {
                return;
            }
            double v = number.doubleValue();
            if (v < bounds.min() || v > bounds.max() || Double.isNaN(v)) {
                throw new ParameterException(parsed.commandSpec().commandLine(),
                        "Invalid value for " + name(arg) + ": '" + arg.stringValues().get(
                                arg.stringValues().size() - 1) + "' is out of range: "
                                + text(bounds.min()) + " to " + text(bounds.max()), arg,
                        String.valueOf(value));
            }
        }

        private static String name(ArgSpec arg) {
            if (arg instanceof OptionSpec option) {
                return "option '" + option.longestName() + "'";
            }
            return "parameter " + ((PositionalParamSpec) arg).paramLabel();
        }

        private static String text(double value) {
            return value == Math.rint(value) ? Long.toString((long) value) : Double.toString(value);
        }
    }
}
