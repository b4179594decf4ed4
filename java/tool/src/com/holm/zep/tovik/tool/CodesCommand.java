package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.Callable;
import picocli.CommandLine.Command;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.Parameters;
import picocli.CommandLine.TypeConversionException;
import picocli.CommandLine.Spec;

/** Result codes by name; needs no library. */
@Command(name = "codes",
        description = "Explain result codes: without arguments list every code "
        + "the tool knows by name; with CODE (0x50000007, decimal or a name) explain that one.")
final class CodesCommand implements Callable<Integer> {
    @Spec
    CommandSpec commandSpec;

    @Parameters(paramLabel = "CODE", arity = "0..*", description = "Codes to explain: "
            + "-2147483648 to 0xFFFFFFFF, or a name.")
    List<String> codes;

    @Override
    public Integer call() {
        ToolOptions options = (ToolOptions) commandSpec.root().userObject();
        Report report = new Report(options.json(), System.out);
        Report.Table table = report.table("codes", col("CODE", "code"), col("NAME", "name"),
                col("MEANING", "meaning"));
        List<ResultCodes.Code> shown = new ArrayList<>();
        for (String text : codes == null ? List.<String>of() : codes) {
            try {
                shown.add(ResultCodes.parse(text));
            } catch (TypeConversionException e) {
                throw new ParameterException(commandSpec.commandLine(), "Invalid value for "
                        + "parameter CODE: " + e.getMessage());
            }
        }
        for (ResultCodes.Code c : shown.isEmpty() ? ResultCodes.all() : shown) {
            table.row(Report.hex(c.value()), c.name(), c.meaning());
        }
        table.print();
        report.finish();
        return 0;
    }
}
