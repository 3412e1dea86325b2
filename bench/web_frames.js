// web_frames.js -- how fast the web page is in headless chromium (software WebGL):
// the milliseconds from the start of loading to the first question and to the
// first picture, the answers typed as soon as it asks; and the frames of view 3
// of 20/20 and 200/200 at the start zoom, after 30 'w' and after 5 'W', each timed
// from the start of its drawing to the end of the GPU's work on it (reading a
// pixel back waits for that), and to the end of the program's part alone, with
// the vertices it hands WebGL; beside them, as many blank frames (a clear, and the
// pixel read back) timed the same way in the same page. Serves the page's folder
// itself on 127.0.0.1.
//
// Usage: NODE_PATH=NODE_MODULES node bench/web_frames.js PAGE_DIR [RUNS]
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
const FRAMES = 20;
// The zooms of the frames: the keys pressed in view 3 before them.
const ZOOMS = [["start zoom", []], ["30 w", Array(30).fill("w")], ["5 W", Array(5).fill("W")]];
const CONSOLE = () => document.getElementById("console").textContent;

function serve(dir) {
    const server = http.createServer((request, response) => {
        const name = path.basename(new URL(request.url, "http://host").pathname) || "index.html";
        fs.readFile(path.join(dir, name), (error, data) => {
            const type = TYPES[path.extname(name)] || "text/plain";
            response.writeHead(error ? 404 : 200, { "Content-Type": type });
            response.end(data);
        });
    });
    return new Promise((done) => server.listen(0, "127.0.0.1", () => done(server)));
}

async function answer(page, text, until) {
    await page.type("#line", text);
    await page.keyboard.press("Enter");
    await page.waitForFunction(`(${CONSOLE})().endsWith(${JSON.stringify(until)})`);
}

// [first question, first picture] in ms from the start of loading.
async function firstPicture(page, url) {
    await page.goto(url);
    await page.waitForFunction(`(${CONSOLE})().endsWith("z1 z2= ")`);
    const asked = await page.evaluate(() => performance.now());
    // The first frame drawn once the report is there is the pair's.
    await page.evaluate(() => {
        Module.postMainLoop = () => {
            if (!window.drawn && document.getElementById("console").textContent.endsWith("：終了"))
                window.drawn = performance.now();
        };
    });
    await answer(page, "10 30", "x1 x2=");
    await answer(page, "0.5 0", "：終了");
    return [asked, await (await page.waitForFunction(() => window.drawn)).jsonValue()];
}

// [whole, program's part] in ms and the vertices of each frame of view 3 of the
// pair after the zoom keys, one 's' each; then [whole] of as many blank frames.
async function frames(page, url, teeth, zoomKeys) {
    await page.goto(url);
    await page.waitForFunction(`(${CONSOLE})().endsWith("z1 z2= ")`);
    await answer(page, teeth, "x1 x2=");
    await answer(page, "0 0", "：終了");
    await page.focus("#canvas");
    await page.keyboard.press("3");
    for (const key of zoomKeys) {
        await page.keyboard.press(key);
    }
    await page.evaluate(() => {
        const gl = Module.ctx;
        const drawArrays = gl.drawArrays.bind(gl);
        gl.drawArrays = (mode, first, count) => {
            window.vertices += count;
            drawArrays(mode, first, count);
        };
        window.times = [];
        Module.preMainLoop = () => {
            window.vertices = 0;
            window.start = performance.now();
        };
        Module.postMainLoop = () => {
            const drawn = performance.now() - window.start;
            gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
            window.times.push([performance.now() - window.start, drawn, window.vertices]);
        };
    });
    for (let i = 0; i < FRAMES; ++i) {
        await page.keyboard.press("s");
        await page.evaluate(() => new Promise((done) =>
            requestAnimationFrame(() => requestAnimationFrame(done))));
    }
    const drawn = await page.evaluate(() => window.times);
    await page.evaluate(() => { Module.preMainLoop = Module.postMainLoop = undefined; });
    const blank = await page.evaluate((count) => new Promise((done) => {
        const gl = Module.ctx;
        const times = [];
        const frame = () => {
            const start = performance.now();
            gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
            gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
            times.push(performance.now() - start);
            if (times.length < count) {
                requestAnimationFrame(() => requestAnimationFrame(frame));
            } else {
                done(times);
            }
        };
        requestAnimationFrame(frame);
    }), FRAMES);
    return [drawn, blank];
}

const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];

(async () => {
    const server = await serve(process.argv[2]);
    const url = `http://127.0.0.1:${server.address().port}/index.html`;
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "gearmesh-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile,
        args: ["--no-sandbox", "--headless", "--disable-gpu", "--enable-unsafe-swiftshader",
               "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--no-first-run"],
    });
    try {
        const page = await browser.newPage();
        for (let run = 0; run < Number(process.argv[3] || 3); ++run) {
            const [asked, drawn] = await firstPicture(page, url);
            console.log(`run ${run + 1}: first question ${asked.toFixed(0)} ms, ` +
                        `first picture ${drawn.toFixed(0)} ms`);
            for (const teeth of ["20 20", "200 200"]) {
                for (const [zoom, keys] of ZOOMS) {
                    const [times, blank] = await frames(page, url, teeth, keys);
                    const whole = median(times.map((t) => t[0]));
                    const empty = median(blank);
                    console.log(`  ${teeth.replace(" ", "/")} view 3, ${zoom}: median ` +
                                `${whole.toFixed(1)} ms, slowest ` +
                                `${Math.max(...times.map((t) => t[0])).toFixed(1)} ms of ` +
                                `${times.length} frames; the program's part ` +
                                `${median(times.map((t) => t[1])).toFixed(1)} ms; ` +
                                `${median(times.map((t) => t[2]))} vertices; a blank frame ` +
                                `${empty.toFixed(1)} ms (${(whole / empty).toFixed(1)} times)`);
                }
            }
        }
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
        server.close();
    }
})();
