// The page around the game: checks that the browser can run it, shows the download,
// scales the canvas to the window with black bars, and offers full screen.
(function () {
  var stage = document.getElementById('stage');
  var canvas = document.getElementById('canvas');
  var loading = document.getElementById('loading');
  var fill = document.getElementById('bar-fill');
  var loadingText = document.getElementById('loading-text');

  function problem(text) {
    loading.hidden = true;
    document.getElementById('problem-text').textContent = text;
    document.getElementById('problem').hidden = false;
  }

  // The largest 4:3 rectangle the stage holds, centred.
  function fit() {
    var w = stage.clientWidth, h = stage.clientHeight;
    var scale = Math.min(w / 1024, h / 768);
    var cw = Math.floor(1024 * scale), ch = Math.floor(768 * scale);
    canvas.style.setProperty('--w', cw + 'px');
    canvas.style.setProperty('--h', ch + 'px');
    canvas.style.setProperty('--x', Math.floor((w - cw) / 2) + 'px');
    canvas.style.setProperty('--y', Math.floor((h - ch) / 2) + 'px');
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();

  var full = document.getElementById('fullscreen');
  if (stage.requestFullscreen) {
    full.hidden = false;
    full.addEventListener('click', function () {
      if (document.fullscreenElement) document.exitFullscreen();
      else stage.requestFullscreen().then(function () { canvas.focus(); }, function () {});
    });
  }

  var notice = document.getElementById('notice');
  document.getElementById('notice-close').addEventListener('click', function () {
    notice.hidden = true;
    canvas.focus();
  });

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    problem('Этот браузер не умеет запускать игру (нет WebAssembly). ' +
            'Откройте страницу в новом Chrome, Firefox, Edge или Safari.');
    return;
  }
  var context = null;
  try { context = document.createElement('canvas').getContext('2d'); } catch (e) {}
  if (!context) {
    problem('Этот браузер не умеет рисовать на странице (нет canvas). ' +
            'Откройте страницу в новом Chrome, Firefox, Edge или Safari.');
    return;
  }

  function megabytes(bytes) {
    return (bytes / 1048576).toLocaleString('ru-RU', { minimumFractionDigits: 1, maximumFractionDigits: 1 });
  }

  var frames = 0;
  window.ferrolinPage = { frames: 0, firstFrameMs: null };
  window.Module = {
    canvas: canvas,
    notice: function (text) {
      document.getElementById('notice-text').textContent = text;
      notice.hidden = false;
    },
    // The data file reports "Downloading data... (loaded/total)".
    setStatus: function (text) {
      var m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
      if (!m) return;
      var loaded = Number(m[1]), total = Number(m[2]);
      fill.style.width = (total ? Math.round(100 * loaded / total) : 0) + '%';
      loadingText.textContent = 'Загрузка: ' + megabytes(loaded) + ' из ' + megabytes(total) + ' МБ';
    },
    onRuntimeInitialized: function () {
      fill.style.width = '100%';
      loadingText.textContent = 'Запуск…';
      // Each frame the game shows is one picture put on the canvas: the first one
      // replaces the loading panel.
      var make = Module.createContext;
      Module.createContext = function () {
        var ctx = make.apply(this, arguments);
        var put = ctx.putImageData;
        ctx.putImageData = function () {
          put.apply(ctx, arguments);
          frames += 1;
          window.ferrolinPage.frames = frames;
          if (frames === 1) {
            window.ferrolinPage.firstFrameMs = performance.now();
            loading.hidden = true;
            canvas.focus();
          }
        };
        return ctx;
      };
    },
    // «Выход»: the game has shut down; its last frame would look like a game that hangs.
    gameEnded: function () {
      canvas.style.visibility = 'hidden';
      if (Module.ferrolinWeb.keeps()) {
        document.getElementById('closed-text').textContent =
          'Вы вышли из игры. Решённые задачи сохранены в этом браузере.';
      }
      document.getElementById('closed').hidden = false;
      var again = document.getElementById('again');
      again.addEventListener('click', function () {
        again.disabled = true;
        // The last changes reach the browser's storage before the page starts afresh.
        Module.ferrolinWeb.afterKeeping(function () { window.location.reload(); });
      });
      again.focus();
    },
    onAbort: function () {
      problem('Игра остановилась из-за ошибки. Обновите страницу, чтобы начать заново.');
    },
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); }
  };
  var script = document.createElement('script');
  script.src = 'ferrolin.js';
  script.onerror = function () {
    problem('Не удалось загрузить игру. Проверьте, что все файлы папки лежат на сервере рядом со страницей.');
  };
  document.body.appendChild(script);
})();
