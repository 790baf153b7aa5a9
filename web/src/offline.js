// Served from a web address, every page of the site offers it as an app (the manifest) and has the
// service worker keep the whole site for the times the network is gone. Opened from a file there is
// nothing to keep, and nothing is asked for. Runs in each page's head, as its own text.
export function keepOffline() {
    if (!/^https?:$/.test(location.protocol) || !('serviceWorker' in navigator))
        return;
    document.head.append(Object.assign(document.createElement('link'), { rel: 'manifest', href: 'manifest.webmanifest' }));
    navigator.serviceWorker.register('serviceworker.js')
        .catch((error) => console.warn('Talunoの実験: オフラインでは使えません', error));
}
