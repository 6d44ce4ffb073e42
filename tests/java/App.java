import java.io.FileOutputStream;

/** What a real virtual machine hands an application, written down as the stand-in VM writes its log. */
public class App {
    public static void main(String[] args) throws Exception {
        String mode = args.length > 0 ? args[0] : "";
        if (mode.equals("exit")) System.exit(Integer.parseInt(args[1]));
        if (mode.equals("throw")) throw new IllegalStateException("thrown by main");
        if (mode.equals("print")) System.out.println("out: hello");
        if (mode.equals("print")) System.err.println("err: hello");
        final FileOutputStream log = new FileOutputStream("jvm.log");
        String text = "greeting=" + System.getProperty("greeting") + "\n";
        for (String arg : args) text += "arg=" + arg + "\n";
        log.write(text.getBytes("UTF-8"));
        if (!mode.equals("linger")) {
            log.close();
            return;
        }
        new Thread() {
            public void run() {
                try {
                    Thread.sleep(700);
                    log.write("thread=done\n".getBytes("UTF-8"));
                    log.close();
                } catch (Exception e) {
                    throw new RuntimeException(e);
                }
            }
        }.start();
    }
}
