// Runs inside the game's script before it starts: the data folder lives in the browser's
// IndexedDB, files go to and come from the user through the browser, help opens in a tab.
// Texts for the player are in Russian; a failing storage is told once and play goes on.
Module.ferrolinWeb = (function () {
  var dataFolder = '/ferrolin-data';
  var syncing = false;
  var again = false;
  var told = false;
  var lastUpload = null;
  var storageOk = true;

  function tell(text) {
    if (told) return;
    told = true;
    if (Module.notice) Module.notice(text);
  }
  var cannotKeep = 'Этот браузер не даёт игре сохранять. Играть можно, но решённые задачи ' +
                   'и новые задачи забудутся, когда страница закроется.';
  var storageFull = 'Память браузера для игры переполнена или закрыта: последнее изменение ' +
                    'не сохранилось. Игра продолжается, сохранённое раньше не пропало.';

  // The data folder's copy in the browser's storage is read before the game starts.
  function mountData() {
    FS.mkdir(dataFolder);
    try {
      if (typeof indexedDB === 'undefined') throw new Error('no IndexedDB');
      FS.mount(IDBFS, {}, dataFolder);
    } catch (e) {
      storageOk = false;
      tell(cannotKeep);
      return;
    }
    addRunDependency('ferrolin-data');
    var done = false;
    function finish(err) {
      if (done) return;
      done = true;
      if (err) {
        storageOk = false;
        tell(cannotKeep);
      }
      removeRunDependency('ferrolin-data');
    }
    // A storage that never answers (some private windows) must not keep the game waiting.
    var timer = setTimeout(function () { finish(new Error('storage did not answer')); }, 5000);
    try {
      FS.syncfs(true, function (err) { clearTimeout(timer); finish(err); });
    } catch (e) {
      clearTimeout(timer);
      finish(e);
    }
  }
  Module.preRun = Module.preRun || [];
  Module.preRun.push(mountData);

  // Writes are copied one sync at a time; changes made meanwhile go with the next one.
  // A failed copy keeps the files in memory, and the next change tries again.
  var whenKept = [];
  var lastKept = true;
  function keepData() {
    if (!storageOk) return;
    if (syncing) { again = true; return; }
    syncing = true;
    FS.syncfs(false, function (err) {
      syncing = false;
      if (err) { tell(storageFull); lastKept = false; } else { lastKept = true; }
      if (again) { again = false; keepData(); return; }
      whenKept.splice(0).forEach(function (done) { done(); });
    });
  }

  // Calls done once everything written so far is in the storage (or failed to get there).
  function afterKeeping(done) {
    if (syncing) whenKept.push(done); else done();
  }

  function download(path) {
    var bytes;
    try { bytes = FS.readFile(path); } catch (e) { return; }
    var name = path.substring(path.lastIndexOf('/') + 1);
    var url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    var link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, 60000);
    try { FS.unlink(path); } catch (e) {}
    if (Module.onDownload) Module.onDownload(name, bytes);
  }

  // A file too large for any of the game's files is cut just past that size, so the game
  // refuses it as it refuses a large file on the desktop, without reading all of it.
  var largestFile = 64 * 1024 * 1024;

  // answered() is called once, when module.picked holds the copied file's path, or null.
  function pickFile(accept, answered) {
    module.picked = null;
    var input = document.getElementById('ferrolin-file');
    if (!input) { answered(); return; }
    input.value = '';
    input.accept = accept;
    var settled = false;
    function settle(path) {
      if (settled) return;
      settled = true;
      input.onchange = null;
      input.oncancel = null;
      module.picked = path;
      answered();
    }
    input.onchange = function () {
      var file = input.files && input.files[0];
      if (!file) { settle(null); return; }
      file.slice(0, largestFile + 1).arrayBuffer().then(function (buffer) {
        if (lastUpload) { try { FS.unlink(lastUpload); } catch (e) {} }
        try { FS.mkdir('/uploads'); } catch (e) {}
        var name = file.name.replace(/[\/\u0000]/g, '_') || 'file';
        var path = '/uploads/' + name;
        FS.writeFile(path, new Uint8Array(buffer));
        lastUpload = path;
        settle(path);
      }, function () { settle(null); });
    };
    input.oncancel = function () { settle(null); };
    // Browsers without the cancel event: the page gets the focus back with no file.
    window.addEventListener('focus', function onFocus() {
      window.removeEventListener('focus', onFocus);
      setTimeout(function () { if (!input.files || !input.files.length) settle(null); }, 1000);
    });
    input.click();
  }

  function openDocument(path) {
    var url = new URL(path, document.baseURI).href;
    window.open(url, '_blank', 'noopener');
  }

  var module = {
    keepData: keepData, download: download, pickFile: pickFile, openDocument: openDocument,
    afterKeeping: afterKeeping, picked: null,
    // Whether what the game saved is kept by the browser after the page closes.
    keeps: function () { return storageOk && lastKept; }
  };
  return module;
})();
