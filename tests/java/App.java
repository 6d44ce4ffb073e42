import java.io.FileOutputStream;

/** What a real virtual machine hands an application, written down as the stand-in VM writes its log. */
public class App {
    public static void main(String[] args) throws Exception {
        String mode = args.length > 0 ? args[0] : "";
        if (mode.equals("exit")) System.exit(Integer.parseInt(args[1]));
        if (mode.equals("throw")) throw new IllegalStateException("thrown by main");
        if (mode.equals("print")) System.out.println("out: hello");
        if (mode.equals("print")) System.err.println("err: hello");
        String text = "greeting=" + System.getProperty("greeting") + "\n";
        for (String arg : args) text += "arg=" + arg + "\n";
        log(text);
        if (mode.equals("linger")) new Thread() { // outlives main
            public void run() {
                try { Thread.sleep(700); log("thread=done\n"); } catch (Exception e) { throw new RuntimeException(e); }
            }
        }.start();
    }

    static void log(String text) throws Exception {
        try (FileOutputStream log = new FileOutputStream("jvm.log", true)) { log.write(text.getBytes("UTF-8")); }
    }
}
