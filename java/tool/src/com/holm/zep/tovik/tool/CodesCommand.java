package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import java.util.List;
import java.util.concurrent.Callable;
import picocli.CommandLine.Command;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Parameters;
import picocli.CommandLine.Spec;

/** Result codes by name; needs no library. */
@Command(name = "codes", mixinStandardHelpOptions = true,
        description = "Explain result codes: without arguments list every code "
        + "the tool knows by name; with CODE (0x50000007, decimal or a name) explain that one.")
final class CodesCommand implements Callable<Integer> {
    @Spec
    CommandSpec commandSpec;

    @Parameters(paramLabel = "CODE", arity = "0..*", description = "Codes to explain.")
    List<String> codes;

    @Override
    public Integer call() {
        ToolOptions options = (ToolOptions) commandSpec.root().userObject();
        Report report = new Report(options.json(), System.out);
        Report.Table table = report.table("codes", col("CODE", "code"), col("NAME", "name"),
                col("MEANING", "meaning"));
        if (codes == null || codes.isEmpty()) {
            for (ResultCodes.Code c : ResultCodes.all()) {
                table.row(Report.hex(c.value()), c.name(), c.meaning());
            }
        } else {
            for (String text : codes) {
                Long value = ResultCodes.parse(text);
                if (value == null) {
                    throw new picocli.CommandLine.ParameterException(commandSpec.commandLine(),
                            "'" + text + "' is neither a number nor a known code name");
                }
                ResultCodes.Code c = ResultCodes.lookup(value);
                table.row(Report.hex(value), c.name(), c.meaning());
            }
        }
        table.print();
        report.finish();
        return 0;
    }
}
