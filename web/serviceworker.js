// Keeps the whole site for the times the network is gone. The build fills in the site's files and a
// cache name that changes with any of them: a new build fills a new cache on the next visit and the
// old one goes.
const cacheName = @CACHE@;
const files = @FILES@;

self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        const cache = await caches.open(cacheName);
        await cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })));
        await self.skipWaiting();
    })());
});

self.addEventListener('activate', (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys()) {
            if (name !== cacheName)
                await caches.delete(name);
        }
        await self.clients.claim();
    })());
});

// How long the network may keep a page waiting before the kept copy is shown: a classroom's Wi-Fi
// can hang rather than fail.
const patienceMs = 4000;

// The network first, so that a page is never older than the site, and what it brings kept; the kept
// copy when the network fails or keeps the page waiting.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method === 'GET' && new URL(request.url).origin === location.origin)
        event.respondWith(networkOrKept(request));
});

async function networkOrKept(request) {
    const cache = await caches.open(cacheName);
    const kept = (await cache.match(request)) ?? (await cache.match(request, { ignoreSearch: true }));
    const network = fetch(request).then((response) => {
        if (response.ok)
            cache.put(request, response.clone());
        return response;
    });
    if (!kept)
        return network;
    let timer;
    const patience = new Promise((resolve) => { timer = setTimeout(() => resolve(kept), patienceMs); });
    return Promise.race([network.catch(() => kept), patience]).finally(() => clearTimeout(timer));
}
