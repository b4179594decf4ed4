package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.*;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.jar.Attributes;
import java.util.jar.JarFile;
import javax.xml.XMLConstants;
import javax.xml.parsers.DocumentBuilder;
import javax.xml.parsers.DocumentBuilderFactory;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;
import org.w3c.dom.Element;
import org.w3c.dom.Node;

/**
 * The poms beside the jars users take away (dist/ of the build, as installed): one well-formed
 * pom per jar that names the jar's artifact and what it depends on (a third-party jar in the very
 * version the tool's Class-Path ships), so the jars can be installed into a local Maven
 * repository. Names, manifests and javadoc jars are the install check's (packaging.install).
 */
class DistributionFilesTest {
    private static final String POM_NAMESPACE = "http://maven.apache.org/POM/4.0.0";
    private static final String GROUP = "com.holm.zep.tovik";

    @ParameterizedTest
    @CsvSource({
        "tovik-api,  ''",
        "tovik-sim,  com.holm.zep.tovik:tovik-api",
        "tovik-tool, com.holm.zep.tovik:tovik-api com.holm.zep.tovik:tovik-sim info.picocli:picocli",
    })
    void eachJarHasAPomNamingItAndWhatItDependsOn(String artifact, String dependencies) throws Exception {
        String version = JvmRuns.version();
        Path jar = JvmRuns.distJar(artifact);

        Attributes manifest = mainAttributes(jar);

        Element project = parsePom(JvmRuns.distFolder().resolve(artifact + "-" + version + ".pom"));
        assertEquals(List.of(POM_NAMESPACE, "project", "4.0.0", GROUP, artifact, version, "jar"),
                List.of(project.getNamespaceURI(), project.getLocalName(), child(project, "modelVersion"),
                        child(project, "groupId"), child(project, "artifactId"), child(project, "version"),
                        child(project, "packaging")));

        List<String> expected = dependencies.isEmpty() ? List.of() : List.of(dependencies.split(" "));
        List<String> named = new ArrayList<>();
        for (Element dependency : dependencies(project)) {
            String coordinates = child(dependency, "groupId") + ":" + child(dependency, "artifactId");
            named.add(coordinates);
            String dependencyVersion = child(dependency, "version");
            if (coordinates.startsWith(GROUP + ":")) {
                assertEquals(version, dependencyVersion, coordinates);
            } else {
                // A third-party jar: the very version the tool ships with.
                assertTrue(manifest.getValue("Class-Path").contains(child(dependency, "artifactId") + "-"
                        + dependencyVersion + ".jar"), coordinates + " " + dependencyVersion + " vs Class-Path "
                        + manifest.getValue("Class-Path"));
            }
        }
        assertTrue(named.containsAll(expected) && named.size() >= expected.size(), named + " vs " + expected);
        if (!artifact.equals("tovik-tool")) {
            assertEquals(expected, named);
        }
    }

    private static Attributes mainAttributes(Path jar) throws Exception {
        try (JarFile file = new JarFile(jar.toFile())) {
            assertNotNull(file.getManifest(), jar.toString());
            return file.getManifest().getMainAttributes();
        }
    }

    /** The root element of a pom, parsed strictly: namespace aware, no external entities. */
    private static Element parsePom(Path pom) throws Exception {
        assertTrue(Files.isRegularFile(pom), "missing " + pom);
        DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
        factory.setNamespaceAware(true);
        factory.setFeature(XMLConstants.FEATURE_SECURE_PROCESSING, true);
        factory.setFeature("http://apache.org/xml/features/disallow-doctype-decl", true);
        DocumentBuilder builder = factory.newDocumentBuilder();
        builder.setErrorHandler(null);
        return builder.parse(pom.toFile()).getDocumentElement();
    }

    /** The direct child elements of that name in the pom's namespace. */
    private static List<Element> children(Element parent, String name) {
        List<Element> found = new ArrayList<>();
        for (Node node = parent.getFirstChild(); node != null; node = node.getNextSibling()) {
            if (node instanceof Element element && name.equals(element.getLocalName())
                    && POM_NAMESPACE.equals(element.getNamespaceURI())) {
                found.add(element);
            }
        }
        return found;
    }

    /** Text of the one direct child element of that name in the pom's namespace. */
    private static String child(Element parent, String name) {
        List<Element> found = children(parent, name);
        assertEquals(1, found.size(), "<" + name + "> in <" + parent.getLocalName() + ">");
        return found.get(0).getTextContent().trim();
    }

    private static List<Element> dependencies(Element project) {
        List<Element> blocks = children(project, "dependencies");
        return blocks.isEmpty() ? List.of() : children(blocks.get(0), "dependency");
    }
}
