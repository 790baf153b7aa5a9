// The lesson's arithmetic worked out here, apart from the core: the oracle the page tests check against.

// The law of the lowest balance of n fair tosses, walked state by state: law[v + n] for v = -n .. 1.
// A state is the lowest balance so far and the height above it; the start is not counted.
export function lowestLaw(n) {
    const size = n + 2;
    let state = new Float64Array(size * size);
    state[(n + 1) * size] = state[(n - 1) * size] = 0.5; // the first toss: lowest 1 or -1, height 0
    for (let toss = 2; toss <= n; ++toss) {
        const next = new Float64Array(size * size);
        for (let low = 0; low < size; ++low) {
            for (let height = 0; height < toss && low + height < 2 * size; ++height) {
                const p = state[low * size + height] / 2;
                if (!p)
                    continue;
                next[low * size + height + 1] += p;
                if (height > 0)
                    next[low * size + height - 1] += p;
                else
                    next[(low - 1) * size] += p;
            }
        }
        state = next;
    }
    const law = new Array(size).fill(0);
    for (let low = 0; low < size; ++low) {
        for (let height = 0; height < size; ++height)
            law[low] += state[low * size + height];
    }
    return law;
}

// The fewest coins enough in `percent` % of the cases, for weights laid out as lowestLaw's.
export function coinsEnough(weights, percent) {
    const n = weights.length - 2;
    const total = weights.reduce((sum, w) => sum + w, 0);
    let covered = 0;
    for (let v = 1; v >= -n; --v) {
        covered += weights[v + n];
        if (covered >= (total * percent) / 100 - 1e-9)
            return Math.max(0, -v);
    }
    return n;
}

// The share of the weights, laid out as lowestLaw's, for which c coins were enough.
export const enoughShare = (weights, c) => weights.slice(weights.length - 2 - c).reduce((sum, w) => sum + w, 0)
    / weights.reduce((sum, w) => sum + w, 0);
