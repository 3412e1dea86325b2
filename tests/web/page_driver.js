// page_driver.js -- drives the gearmesh page in headless chromium, or in Firefox (in the
// X server of DISPLAY), for web_test.py: one JSON command a line on standard input, one
// JSON answer {ok, value or error} a line out. Usage: node page_driver.js chromium|firefox
"use strict";
const [fs, os, path, readline, puppeteer] =
    ["fs", "os", "path", "readline", "puppeteer-core"].map(require);
let page = null;
const said = [], loaded = [];  // the page's warnings and errors on the console; what it loaded
// Until the page has drawn a frame after what was just done.
const nextFrame = () => page.evaluate(() => new Promise((done) =>
    requestAnimationFrame(() => requestAnimationFrame(done))));
const consoleEndsWith = (end) => page.waitForFunction((text) =>
    document.getElementById("console").textContent.endsWith(text), {}, end);

const commands = {
    // Loads the page; every frame drawn from then on is kept in window.lastFrame.
    async open({ url }) {
        await page.goto(url);
        await consoleEndsWith("z1 z2= ");
        await page.evaluate(() => {
            const gl = Module.ctx;
            window.lastFrame = new Uint8Array(800 * 800 * 4);
            Module.postMainLoop = () =>
                gl.readPixels(0, 0, 800, 800, gl.RGBA, gl.UNSIGNED_BYTE, window.lastFrame);
        });
    },
    // A line typed into the input line (pasted, when it holds a control character,
    // which no key types) and Enter, until the console ends with `until`.
    async line({ text, until }) {
        // As a person waits for the line to be offered (after a switch of language the page
        // replays the run first, and keys typed meanwhile are not taken).
        await page.waitForSelector("#line:not([disabled]):not([readonly])");
        // A control character cannot be typed, only pasted.
        if (/[\x00-\x1f]/.test(text)) {
            await page.$eval("#line", (field, value) => { field.value = value; }, text);
        } else {
            await page.type("#line", text);
        }
        await page.keyboard.press("Enter");
        await consoleEndsWith(until);
    },
    // A key pressed on the picture (or, on: null, where the focus is) as a person presses it
    // (Shift for a capital); what has the focus then.
    async key({ key, on = "#canvas", capital = /^[A-Z]$/.test(key) }) {
        if (on) await page.focus(on);
        if (capital) await page.keyboard.down("Shift");
        await page.keyboard.press(key);
        if (capital) await page.keyboard.up("Shift");
        await nextFrame();
        return page.evaluate(() => document.activeElement.id);
    },
    async click({ selector }) {
        await page.click(selector);
        await nextFrame();
    },
    // The value of js once it is truthy; the value of js now.
    wait: async ({ js }) => (await page.waitForFunction(js)).jsonValue(),
    eval: async ({ js }) => page.evaluate(js),
    async viewport({ width, height, shot }) {
        await page.setViewport({ width, height });
        await nextFrame();
        if (shot) await page.screenshot({ path: shot });
    },
    // Since the last look: the console's warnings and errors, and the addresses loaded.
    news: async () => ({ said: said.splice(0), loaded: loaded.splice(0) }),
    // The last frame as GL left it: RGBA rows from the bottom, in base 64.
    async frame() {
        await nextFrame();
        return page.evaluate(() => {
            let text = "";
            for (let i = 0; i < window.lastFrame.length; i += 0x8000)
                text += String.fromCharCode.apply(null, window.lastFrame.subarray(i, i + 0x8000));
            return btoa(text);
        });
    },
};

(async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "gearmesh-chromium-"));
    // NOTE: Firefox offers WebGL only with a window; puppeteer-core gives it a fresh profile.
    const firefox = { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: false };
    const browser = await puppeteer.launch(process.argv[2] === "firefox" ? firefox : {
        executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile,
        args: ["--no-sandbox", "--headless", "--disable-gpu", "--enable-unsafe-swiftshader",
               "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--no-first-run"],
    });
    try {
        page = await browser.newPage();
        page.on("console", (m) => /^(error|warn)/.test(m.type()) && said.push(m.text()));
        page.on("pageerror", (error) => said.push(String(error)));
        page.on("request", (request) => loaded.push(request.url().slice(0, 60)));
        for await (const text of readline.createInterface({ input: process.stdin })) {
            const command = JSON.parse(text);
            const answer = await commands[command.op](command).then(
                (value) => ({ ok: true, value }), (error) => ({ ok: false, error: String(error) }));
            process.stdout.write(JSON.stringify(answer) + "\n");
        }
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
})();
