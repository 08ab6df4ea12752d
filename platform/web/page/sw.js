// The page's service worker: keeps this build's page, program and files in
// one store named after the build, so that the page opens and plays without
// the network. The page and its first pack are kept when it installs; the
// other packs as the page fetches them (their names change with their
// bytes). A new build installs beside the old one and then deletes every
// other build's store: a page is always served whole from one build.
// (The build writes sw.js from this file: cmake/PageStore.cmake.)
'use strict';

const STORE = 'plinkpad-@BUILD@';
const KEPT = [@KEPT@];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(STORE).then((store) => store.addAll(['./', ...KEPT])).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys().then((names) => Promise.all(
        names.filter((name) => name.startsWith('plinkpad-') && name !== STORE).map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// What the store has comes from it (the page's address without its options:
// "?seed=7" opens the same page); packs not yet kept are kept as they come.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    const url = new URL(request.url);
    if (request.method !== 'GET' || url.origin !== location.origin) return;
    event.respondWith(caches.open(STORE).then(async (store) => {
        const kept = await store.match(request, {ignoreSearch: true});
        if (kept) return kept;
        const response = await fetch(request);
        if (response.ok && url.pathname.endsWith('.pack')) await store.put(request, response.clone());
        return response;
    }));
});
