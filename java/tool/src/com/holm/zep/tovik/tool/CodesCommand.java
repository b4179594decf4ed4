package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.client.ResultCode;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.Callable;
import picocli.CommandLine.Command;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.Parameters;
import picocli.CommandLine.TypeConversionException;

/** Result codes by name; needs no library. */
@Command(name = "codes",
        description = "Explain result codes: without arguments list every code "
        + "the tool knows by name; with CODE (0x50000007, decimal or a name) explain that one.")
final class CodesCommand implements Callable<Integer>, CommandBound {
    CommandSpec commandSpec;

    @Override
    public void bind(CommandSpec model) {
        commandSpec = model;
    }

    @Parameters(paramLabel = "CODE", arity = "0..*", description = "Codes to explain: "
            + "-2147483648 to 0xFFFFFFFF, or a name.")
    List<String> codes;

    @Override
    public Integer call() {
        ToolOptions options = (ToolOptions) commandSpec.root().userObject();
        Report report = new Report(options.json(), System.out);
        Report.Table table = report.table("codes", col("CODE", "code"), col("NAME", "name"),
                col("MEANING", "meaning"));
        List<Long> shown = new ArrayList<>();
        for (String text : codes == null ? List.<String>of() : codes) {
            try {
                shown.add(parse(text));
            } catch (TypeConversionException e) {
                throw new ParameterException(commandSpec.commandLine(), "Invalid value for "
                        + "parameter CODE: " + e.getMessage());
            }
        }
        if (shown.isEmpty()) {
            shown = Arrays.stream(ResultCode.values()).map(ResultCode::value).toList();
        }
        for (long code : shown) {
            table.row(Report.hex(code), ResultCode.nameOf(code), ResultCode.meaningOf(code));
        }
        table.print();
        report.finish();
        return 0;
    }

    /**
     * Parses "0x50000007", "1342177287", a code as Java sees it ("-2147467259") or a code name,
     * into the code's low 32 bits. A number that is not a 32-bit code, signed or unsigned, is
     * refused rather than cut.
     */
    static long parse(String text) {
        String t = text.trim();
        for (ResultCode c : ResultCode.values()) {
            if (c.name().equalsIgnoreCase(t)) {
                return c.value();
            }
        }
        long value;
        try {
            value = Numbers.parse(t);
        } catch (NumberFormatException e) {
            if (!Numbers.looksNumeric(t)) {
                throw new TypeConversionException("'" + text + "' is neither a number nor a known "
                        + "code name");
            }
            value = Long.MAX_VALUE;
        }
        if (value < Integer.MIN_VALUE || value > Numbers.U32_MAX) {
            throw new TypeConversionException("'" + text + "' is out of range: "
                    + Integer.MIN_VALUE + " to " + Numbers.U32_MAX + " (0x0 to 0xFFFFFFFF)");
        }
        return ResultCode.normalize(value);
    }
}
