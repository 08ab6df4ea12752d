// Serves the built page on this machine: `node serve.mjs DIR [PORT]`
// (`make web-serve`). A file with a gzip-compressed copy beside it (NAME.gz,
// made by the build) goes out compressed to browsers that accept it.
// Browsers revalidate every file (ETag), so a rebuilt page is never stale
// (past the page's own store, docs/web.md) and an unchanged pack is not
// sent again.
import {createReadStream} from 'node:fs';
import {stat} from 'node:fs/promises';
import {createServer} from 'node:http';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.json': 'application/json',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
    '.pack': 'application/octet-stream',
};

async function fileInfo(file) {
    try {
        const info = await stat(file);
        return info.isFile() ? info : null;
    } catch {
        return null;
    }
}

async function answer(root, request, response) {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
        response.writeHead(405, {Allow: 'GET, HEAD'}).end();
        return;
    }
    let name;
    try {
        name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
        response.writeHead(400).end();
        return;
    }
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(root, path.normalize(name));
    const type = TYPES[path.extname(file)];
    const info = type && file.startsWith(root + path.sep) ? await fileInfo(file) : null;
    if (!info) {
        response.writeHead(404, {'Content-Type': 'text/plain'}).end('Not found\n');
        return;
    }
    const gzip = /\bgzip\b/.test(request.headers['accept-encoding'] || '') ? await fileInfo(file + '.gz') : null;
    const sent = gzip && gzip.mtimeMs >= info.mtimeMs ? gzip : info;
    const tag = `"${sent.size.toString(36)}-${Math.floor(sent.mtimeMs).toString(36)}${sent === info ? '' : '-gz'}"`;
    const headers = {'Content-Type': type, 'Cache-Control': 'no-cache', ETag: tag, Vary: 'Accept-Encoding'};
    if (request.headers['if-none-match'] === tag) {
        response.writeHead(304, headers).end();
        return;
    }
    headers['Content-Length'] = sent.size;
    if (sent !== info) headers['Content-Encoding'] = 'gzip';
    response.writeHead(200, headers);
    if (request.method === 'HEAD') {
        response.end();
        return;
    }
    createReadStream(sent === info ? file : file + '.gz').pipe(response);
}

// Starts serving `dir` on 127.0.0.1:`port` (0: any free port); resolves
// to the server, the page's address and `sent()`, the bytes sent so far
// (headers and all).
export function serve(dir, port = 0) {
    const root = path.resolve(dir);
    const server = createServer((request, response) => {
        answer(root, request, response).catch(() => {
            if (!response.headersSent) response.writeHead(500);
            response.end();
        });
    });
    const open = new Set();
    let closedSent = 0;
    server.on('connection', (socket) => {
        open.add(socket);
        socket.on('close', () => {
            open.delete(socket);
            closedSent += socket.bytesWritten;
        });
    });
    const sent = () => [...open].reduce((sum, socket) => sum + socket.bytesWritten, closedSent);
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => {
            resolve({server, url: `http://127.0.0.1:${server.address().port}/`, sent});
        });
    });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
    const [dir, port = '8000'] = process.argv.slice(2);
    if (!dir) {
        console.error('usage: node serve.mjs DIR [PORT]');
        process.exit(2);
    }
    const {url} = await serve(dir, Number(port));
    console.log(`Plinkpad is at ${url} (Ctrl+C stops the server)`);
}
