/**
 * Counts words on standard input.
 */
package demo;

import java.io.*;

public class Sample {
    private static final int LIMIT = 0x7FFF;

    public static void main(String[] args) throws IOException {
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in));
        int words = 0;
        String line;
        while ((line = in.readLine()) != null) {
            // split on blanks
            words += line.trim().split("\\s+").length;
        }
        char sep = '\t';
        System.out.println("words:" + sep + words + " of " + LIMIT * 1.5e-3 + 10L + 1_000);
    }
}
