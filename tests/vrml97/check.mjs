// Loads VRML97 files with three.js's VRMLLoader, a parser written apart from
// Coin and stricter than Coin's own reader about names: it refuses the "_+0"
// names Coin's writer invents. Exits non-zero if any file fails to load.
import { readFileSync } from 'node:fs';
import { VRMLLoader } from 'three/examples/jsm/loaders/VRMLLoader.js';

let failed = 0;
for (const file of process.argv.slice(2)) {
  try {
    const scene = new VRMLLoader().parse(readFileSync(file, 'utf8'), '');
    let objects = 0;
    scene.traverse(() => ++objects);
    console.log(`ok   ${file} (${objects} objects)`);
  } catch (error) {
    ++failed;
    console.log(`FAIL ${file}: ${error.message}`);
  }
}
process.exit(failed ? 1 : 0);
