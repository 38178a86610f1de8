// The Orvex page: plays a scene with the engine built for the web (orvex.js, orvex.wasm).
//
//   index.html                                       the bundled sample
//   index.html?scene=URL&anim=URL&fit                another scene, as the viewer's command line
//                                                    (Orvex --fit SCENE ANIMATION); URLs relative
//                                                    to the page or absolute
//   dropping a .mes with its .knx and .TGA files     plays them
//
// Each load runs in a fresh module, as each start of the viewer is a fresh program: its files
// go into the module's file system under /scene, the textures its materials name ("<name>.TGA")
// are fetched from beside the scene, and main runs with the command line. What the viewer
// refuses is shown in its own words and the page waits for the next file; a file that cannot
// be fetched is reported and leaves the scene before playing.
'use strict';

(function () {
  const kSample = { scene: 'sample/2.MES', anim: 'sample/2.KNX' };
  const statusBox = document.getElementById('status');
  let running = null;   // the playing module
  let compiled = null;  // orvex.wasm, compiled once for every module
  let loads = 0;        // a newer load replaces one still fetching
  let failure = '';
  let firstFrameMs = null;

  function show(text, isFailure) {
    statusBox.textContent = text;
    statusBox.className = isFailure ? 'failure' : '';
    if (isFailure) {
      failure = text;
      console.error(text);
    }
  }

  function kilobytes(n) {
    return (n / 1024).toFixed(0) + ' KB';
  }

  // The bytes at a URL, reporting progress as they arrive.
  async function fetchBytes(url, onProgress) {
    const response = await fetch(url);
    if (!response.ok)
      throw new Error('cannot fetch ' + url + ': HTTP ' + response.status + ' ' + response.statusText);
    const total = Number(response.headers.get('Content-Length')) || 0;
    if (!response.body)
      return new Uint8Array(await response.arrayBuffer());
    const reader = response.body.getReader();
    const chunks = [];
    let received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done)
        break;
      chunks.push(value);
      received += value.length;
      onProgress(received, total);
    }
    const bytes = new Uint8Array(received);
    let at = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, at);
      at += chunk.length;
    }
    return bytes;
  }

  function instantiateWasm(imports, receive) {
    const compiling = compiled ? Promise.resolve(compiled)
      : WebAssembly.compileStreaming(fetch('orvex.wasm'))
          .catch(() => fetch('orvex.wasm').then((r) => r.arrayBuffer()).then((b) => WebAssembly.compile(b)))
          .then((module) => (compiled = module));
    compiling.then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)))
      .catch((error) => show('Orvex: cannot start the engine: ' + error, true));
    return {};
  }

  // A module that is not running yet; its failures and messages come to the page.
  function createModule() {
    let module = null;
    return createOrvex({
      instantiateWasm,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onFailure: (text) => show(text, true),
      onMessage: (text) => show(text, true),
      onFirstFrame: () => {
        if (firstFrameMs === null)
          firstFrameMs = performance.now();
      },
      onAbort: (what) => {
        show('Orvex: the engine stopped: ' + what, true);
        if (running === module)
          running = null;
      },
    }).then((m) => (module = m));
  }

  // A fresh canvas for each module: the WebGL context of the one before goes with it.
  function replaceCanvas() {
    const old = document.getElementById('canvas');
    if (old.dataset.used) {
      const lose = old.getContext('webgl2').getExtension('WEBGL_lose_context');
      if (lose)
        lose.loseContext();
    }
    const canvas = document.createElement('canvas');
    canvas.id = 'canvas';
    canvas.dataset.used = 'yes';
    canvas.addEventListener('contextmenu', (event) => event.preventDefault()); // right drag moves
    old.replaceWith(canvas);
  }

  function stopRunning() {
    if (!running)
      return;
    try {
      running._orvex_stop();
    } catch (error) {
      console.warn('stopping the viewer: ' + error);
    }
    running = null;
  }

  // Starts the viewer of `module`, whose files are in place, with the command line `args`.
  function start(module, args) {
    stopRunning();
    replaceCanvas();
    show('');
    failure = '';
    running = module;
    const status = module.callMain(args);
    if (status !== 0 && running === module)
      running = null;
  }

  function textureNames(module, path) {
    return module.ccall('orvex_scene_textures', 'string', ['string'], [path]).split('\n').filter((n) => n);
  }

  // A file name that the module's file system takes as one name.
  function fileName(name) {
    return name.replace(/[\/\0]/g, '_') || 'scene';
  }

  async function loadUrls(sceneUrl, animUrl, fit) {
    const load = ++loads;
    const scene = new URL(sceneUrl, location.href);
    const anim = animUrl ? new URL(animUrl, location.href) : null;
    const name = (url) => fileName(decodeURIComponent(url.pathname.split('/').pop()));
    const progress = (what) => (received, total) => {
      if (load === loads)
        show('Loading ' + what + ': ' + kilobytes(received) + (total ? ' of ' + kilobytes(total) : ''));
    };
    try {
      show('Loading ' + name(scene) + ' ...');
      const [module, sceneBytes, animBytes] = await Promise.all([
        createModule(),
        fetchBytes(scene, progress(name(scene))),
        anim ? fetchBytes(anim, progress(name(anim))) : Promise.resolve(null),
      ]);
      if (load !== loads)
        return;
      module.FS.mkdir('/scene');
      module.FS.writeFile('/scene/' + name(scene), sceneBytes);
      if (anim)
        module.FS.writeFile('/scene/' + name(anim), animBytes);
      // The textures the scene names; one that cannot be fetched leaves its material without,
      // as a missing file does for the viewer.
      for (const texture of textureNames(module, '/scene/' + name(scene))) {
        const file = fileName(texture + '.TGA');
        try {
          const bytes = await fetchBytes(new URL(encodeURIComponent(texture) + '.TGA', scene), progress(file));
          module.FS.writeFile('/scene/' + file, bytes);
        } catch (error) {
          console.warn(error.message);
        }
        if (load !== loads)
          return;
      }
      const args = fit ? ['--fit'] : [];
      args.push('/scene/' + name(scene));
      if (anim)
        args.push('/scene/' + name(anim));
      start(module, args);
    } catch (error) {
      if (load === loads)
        show('Orvex: ' + error.message, true);
    }
  }

  async function loadDropped(files) {
    const load = ++loads;
    const scene = files.find((f) => /\.mes$/i.test(f.name));
    const anim = files.find((f) => /\.knx$/i.test(f.name));
    if (!scene) {
      show('Orvex: drop a .mes scene (with its .knx animation and .TGA textures)', true);
      return;
    }
    try {
      show('Loading ' + scene.name + ' ...');
      const module = await createModule();
      if (load !== loads)
        return;
      module.FS.mkdir('/scene');
      for (const file of files)
        module.FS.writeFile('/scene/' + fileName(file.name), new Uint8Array(await file.arrayBuffer()));
      if (load !== loads)
        return;
      const missing = textureNames(module, '/scene/' + fileName(scene.name))
        .map((t) => t + '.TGA').filter((t) => !files.some((f) => f.name === t));
      if (missing.length)
        console.warn('not dropped, so drawn without: ' + missing.join(', '));
      const args = [];
      if (new URLSearchParams(location.search).has('fit'))
        args.push('--fit');
      args.push('/scene/' + fileName(scene.name));
      if (anim)
        args.push('/scene/' + fileName(anim.name));
      start(module, args);
    } catch (error) {
      if (load === loads)
        show('Orvex: ' + error.message, true);
    }
  }

  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null)
      document.body.classList.remove('dragging');
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    loadDropped(Array.from(event.dataTransfer.files));
  });
  document.getElementById('canvas').addEventListener('contextmenu', (event) => event.preventDefault());

  // What the page is doing, for people and scripts: frames drawn, the viewer's frame rate,
  // when the first frame was drawn (ms after the page began to load), the last failure.
  window.orvexPage = {
    state() {
      return {
        playing: running !== null,
        frames: running ? running._orvex_frame_count() : 0,
        framesPerSecond: running ? running._orvex_frames_per_second() : 0,
        firstFrameMs,
        failure,
        status: statusBox.textContent,
      };
    },
  };

  const query = new URLSearchParams(location.search);
  if (query.has('scene'))
    loadUrls(query.get('scene'), query.get('anim'), query.has('fit'));
  else
    loadUrls(kSample.scene, kSample.anim, query.has('fit'));
})();
