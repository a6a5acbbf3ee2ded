-- Kestrova suite database for PostgreSQL: tables, indexes, suite parameters and stored
-- queries. Run it with psql on an empty database, or make it with kestrova
-- demo-db --connect. It is written out from the schema description in
-- suite/db: never edit it by hand. When the description changes, the test
-- suite_db_schema_test fails and leaves the new script beside its binary to
-- copy here.
\set ON_ERROR_STOP on
BEGIN;

CREATE TABLE Estado (
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Es_Descripcion VARCHAR(60) NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Estado PRIMARY KEY (Es_Cve_Estado)
);

CREATE TABLE Sucursal (
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Sc_Descripcion VARCHAR(60) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Sucursal PRIMARY KEY (Sc_Cve_Sucursal)
);

CREATE TABLE Tipo_Vehiculo (
    Tv_Cve_Tipo_Vehiculo VARCHAR(4) NOT NULL,
    Tv_Descripcion VARCHAR(60) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Tipo_Vehiculo PRIMARY KEY (Tv_Cve_Tipo_Vehiculo)
);

CREATE TABLE Vehiculo (
    Vh_Cve_Vehiculo VARCHAR(10) NOT NULL,
    Vh_Descripcion VARCHAR(60) NULL,
    Tv_Cve_Tipo_Vehiculo VARCHAR(4) NULL,
    Vh_Placas VARCHAR(10) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Vehiculo PRIMARY KEY (Vh_Cve_Vehiculo)
);

CREATE TABLE Chofer (
    Ch_Cve_Chofer VARCHAR(4) NOT NULL,
    Ch_Descripcion VARCHAR(60) NULL,
    Ch_Licencia VARCHAR(20) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Chofer PRIMARY KEY (Ch_Cve_Chofer)
);

CREATE TABLE Cliente (
    Cl_Cve_Cliente VARCHAR(10) NOT NULL,
    Cl_Descripcion VARCHAR(100) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Cliente PRIMARY KEY (Cl_Cve_Cliente)
);

CREATE TABLE Viaje (
    Vj_Folio VARCHAR(10) NOT NULL,
    Vj_Fecha TIMESTAMP(0) NOT NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Ch_Cve_Chofer VARCHAR(4) NULL,
    Vh_Cve_Vehiculo VARCHAR(10) NULL,
    Vj_Fecha_Inicio_Viaje TIMESTAMP(0) NULL,
    Vj_Fecha_Fin_Viaje TIMESTAMP(0) NULL,
    Vj_Kilometro_Inicial NUMERIC CHECK (Vj_Kilometro_Inicial > -1e9 AND Vj_Kilometro_Inicial < 1e9) NULL,
    Vj_Kilometro_Final NUMERIC CHECK (Vj_Kilometro_Final > -1e9 AND Vj_Kilometro_Final < 1e9) NULL,
    Vj_Observaciones VARCHAR(255) NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Viaje PRIMARY KEY (Vj_Folio)
);

CREATE INDEX IX_Viaje_Fecha ON Viaje (Vj_Fecha, Vj_Folio);

CREATE TABLE Orden_Entrega (
    Oe_Folio VARCHAR(10) NOT NULL,
    Oe_ID INT NOT NULL DEFAULT 0,
    Oe_Fecha_Entrega TIMESTAMP(0) NOT NULL,
    Oe_Tabla VARCHAR(20) NULL,
    Oe_Documento VARCHAR(10) NULL,
    Oe_Factura VARCHAR(1) NULL,
    Oe_Fc_Folio VARCHAR(10) NULL,
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Al_Cve_Almacen VARCHAR(4) NULL,
    Cl_Cve_Cliente VARCHAR(10) NULL,
    Vn_Cve_Vendedor VARCHAR(4) NULL,
    Oe_Descuento_Global_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Descuento_Global_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Concepto VARCHAR(60) NULL,
    Oe_Comentario VARCHAR(255) NULL,
    Pr_Cve_Producto VARCHAR(15) NULL,
    Cl_Cve_Color VARCHAR(4) NULL,
    Tl_Cve_Talla VARCHAR(4) NULL,
    Oe_Cantidad DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad VARCHAR(4) NULL,
    Oe_Cantidad_Control_1 DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad_Control_1 VARCHAR(4) NULL,
    Oe_Cantidad_Control_2 DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad_Control_2 VARCHAR(4) NULL,
    Oe_Precio_Lista DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Lista_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Descuento_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Descuento_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Descontado DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Descontado_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Impuesto_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Impuesto_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Neto DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Neto_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Mn_Cve_Moneda VARCHAR(4) NULL,
    Oe_Tipo_Cambio DECIMAL(18,6) NOT NULL DEFAULT 0,
    Rm_Folio VARCHAR(10) NULL,
    Oe_Contacto VARCHAR(60) NULL,
    Oe_Observaciones VARCHAR(255) NULL,
    Oe_Cantidad_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Cantidad_Control_1_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Cantidad_Control_2_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oe_Tipo_Vehiculo VARCHAR(4) NULL,
    Oe_Sucursal_Inventario VARCHAR(4) NULL,
    Oe_Almacen_Inventario VARCHAR(4) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL DEFAULT 'RM',
    CONSTRAINT PK_Orden_Entrega PRIMARY KEY (Oe_Folio, Oe_ID)
);

CREATE INDEX IX_Orden_Entrega_Rm_Folio ON Orden_Entrega (Rm_Folio);

CREATE TABLE Embarque (
    Eb_Folio VARCHAR(10) NOT NULL,
    Eb_Fecha TIMESTAMP(0) NULL,
    Eb_Fecha_Salida TIMESTAMP(0) NULL,
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Eb_Tipo_Embarque VARCHAR(4) NULL,
    Eb_Tipo_Vehiculo VARCHAR(4) NULL,
    Eb_Peso DECIMAL(18,4) NOT NULL DEFAULT 0,
    Eb_Volumen DECIMAL(18,4) NOT NULL DEFAULT 0,
    Eb_Comentario VARCHAR(255) NULL,
    Eb_Direccion_Entrega_Tabla VARCHAR(20) NULL,
    Eb_Direccion_Entrega_Documento VARCHAR(10) NULL,
    Eb_Direccion_Entrega_ID INT NOT NULL DEFAULT 0,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Eb_Tabla VARCHAR(20) NULL,
    Eb_Documento VARCHAR(10) NULL,
    Es_Cve_Estado VARCHAR(4) NOT NULL DEFAULT 'RM',
    CONSTRAINT PK_Embarque PRIMARY KEY (Eb_Folio)
);

CREATE TABLE Remision (
    Rm_Folio VARCHAR(10) NOT NULL,
    Rm_Fecha TIMESTAMP(0) NOT NULL,
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Cl_Cve_Cliente VARCHAR(10) NULL,
    Rm_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Remision PRIMARY KEY (Rm_Folio)
);

CREATE TABLE Venta (
    Vn_Folio VARCHAR(10) NOT NULL,
    Vn_Fecha TIMESTAMP(0) NOT NULL,
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Cl_Cve_Cliente VARCHAR(10) NULL,
    Vn_Tabla VARCHAR(20) NULL,
    Vn_Documento VARCHAR(10) NULL,
    Vn_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Es_Cve_Estado VARCHAR(4) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Venta PRIMARY KEY (Vn_Folio)
);

CREATE INDEX IX_Venta_Documento ON Venta (Vn_Tabla, Vn_Documento);

CREATE TABLE Entrega_Documento (
    Ed_Tabla VARCHAR(20) NOT NULL,
    Ed_Documento VARCHAR(10) NOT NULL,
    De_ID INT NOT NULL DEFAULT 0,
    De_Tabla VARCHAR(20) NULL,
    De_Documento VARCHAR(10) NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Entrega_Documento PRIMARY KEY (Ed_Tabla, Ed_Documento, De_ID)
);

CREATE TABLE Viaje_Documento (
    Vj_Folio VARCHAR(10) NOT NULL,
    Vd_Tabla VARCHAR(20) NOT NULL,
    Vd_Documento VARCHAR(10) NOT NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Viaje_Documento PRIMARY KEY (Vj_Folio, Vd_Tabla, Vd_Documento)
);

CREATE INDEX IX_Viaje_Documento_Documento ON Viaje_Documento (Vd_Tabla, Vd_Documento);

CREATE TABLE Parametro (
    Pa_Nombre VARCHAR(60) NOT NULL,
    Pa_Valor VARCHAR(255) NULL,
    Pa_Descripcion VARCHAR(255) NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Parametro PRIMARY KEY (Pa_Nombre)
);

CREATE TABLE Consulta (
    Cs_Nombre VARCHAR(60) NOT NULL,
    Cs_Texto TEXT NOT NULL,
    Cs_Descripcion VARCHAR(255) NULL,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Consulta PRIMARY KEY (Cs_Nombre)
);

CREATE TABLE Folio (
    Sc_Cve_Sucursal VARCHAR(4) NOT NULL,
    Fo_Tabla VARCHAR(30) NOT NULL,
    Fo_Ultimo INT NOT NULL DEFAULT 0,
    Oper_Alta VARCHAR(20) NULL,
    Fecha_Alta TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    Oper_Ult_Modif VARCHAR(20) NULL,
    Fecha_Ult_Modif TIMESTAMP(0) NULL DEFAULT LOCALTIMESTAMP(0),
    CONSTRAINT PK_Folio PRIMARY KEY (Sc_Cve_Sucursal, Fo_Tabla)
);

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES', '20', 'Segundos entre dos recargas automáticas del control de viajes (0: nunca)', 'SISTEMA', 'SISTEMA');

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('FTO_TIPO_VEHICULO', '0000', 'Formato de la clave de tipo de vehículo', 'SISTEMA', 'SISTEMA');

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('FTO_CHOFER', '0000', 'Formato de la clave de chofer', 'SISTEMA', 'SISTEMA');

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('FTO_SUCURSAL', '0000', 'Formato de la clave de sucursal', 'SISTEMA', 'SISTEMA');

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('FTO_VEHICULO', '0000000000', 'Formato de la clave de vehículo', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('AB', 'Abierto', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('TR', 'En tránsito', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('CE', 'Cerrado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('CA', 'Cancelado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('RM', 'Remisionado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('RMT', 'Remisionado en tránsito', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('RP', 'Reprogramado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('EN', 'Entregado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('FA', 'Facturado', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('AC', 'Activo', 'SISTEMA', 'SISTEMA');

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('BA', 'Baja', 'SISTEMA', 'SISTEMA');

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('Viajes', 'SELECT Viaje.Vj_Folio AS "Folio",
       Viaje.Vj_Fecha AS "Fecha",
       Estado.Es_Descripcion AS "Estado",
       Sucursal.Sc_Descripcion AS "Sucursal",
       Chofer.Ch_Descripcion AS "Chofer",
       Vehiculo.Vh_Descripcion AS "Vehículo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo",
       Viaje.Vj_Fecha_Inicio_Viaje AS "Inicio",
       Viaje.Vj_Fecha_Fin_Viaje AS "Fin",
       Viaje.Vj_Kilometro_Inicial AS "Km inicial",
       Viaje.Vj_Kilometro_Final AS "Km final"
  FROM Viaje
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Viaje.Es_Cve_Estado
  LEFT JOIN Sucursal ON Sucursal.Sc_Cve_Sucursal = Viaje.Sc_Cve_Sucursal
  LEFT JOIN Chofer ON Chofer.Ch_Cve_Chofer = Viaje.Ch_Cve_Chofer
  LEFT JOIN Vehiculo ON Vehiculo.Vh_Cve_Vehiculo = Viaje.Vh_Cve_Vehiculo
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Vehiculo.Tv_Cve_Tipo_Vehiculo
 WHERE {PARAMETROS}
 ORDER BY Viaje.Vj_Fecha, Viaje.Vj_Folio', 'Control de viajes', 'SISTEMA', 'SISTEMA');

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('ORDENES_X_VIAJE', 'SELECT Orden_Entrega.Oe_Folio AS "Folio",
       MIN(Orden_Entrega.Oe_Fecha_Entrega) AS "Fecha de entrega",
       MIN(Cliente.Cl_Descripcion) AS "Cliente",
       MIN(Orden_Entrega.Oe_Contacto) AS "Contacto",
       COUNT(*) AS "Partidas",
       ROUND(SUM(Orden_Entrega.Oe_Precio_Neto_Importe), 2) AS "Importe",
       MIN(Orden_Entrega.Rm_Folio) AS "Remisión",
       MIN(Estado.Es_Descripcion) AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = ''ORDEN_ENTREGA''
 INNER JOIN Orden_Entrega ON Orden_Entrega.Oe_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Cliente ON Cliente.Cl_Cve_Cliente = Orden_Entrega.Cl_Cve_Cliente
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Orden_Entrega.Es_Cve_Estado
 WHERE {PARAMETROS}
 GROUP BY Orden_Entrega.Oe_Folio
 ORDER BY Orden_Entrega.Oe_Folio', 'Órdenes de entrega de un viaje', 'SISTEMA', 'SISTEMA');

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES ('EMBARQUES_X_VIAJE', 'SELECT Embarque.Eb_Folio AS "Folio",
       Embarque.Eb_Fecha AS "Fecha",
       Embarque.Eb_Fecha_Salida AS "Salida",
       Embarque.Eb_Tipo_Embarque AS "Tipo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo de vehículo",
       Embarque.Eb_Peso AS "Peso",
       Embarque.Eb_Volumen AS "Volumen",
       Embarque.Eb_Comentario AS "Comentario",
       Estado.Es_Descripcion AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = ''EMBARQUE''
 INNER JOIN (SELECT Eb_Folio, Eb_Fecha, Eb_Fecha_Salida, Eb_Tipo_Embarque, Eb_Tipo_Vehiculo,
                    Eb_Tipo_Vehiculo AS Oe_Tipo_Vehiculo, Eb_Peso, Eb_Volumen, Eb_Comentario,
                    Es_Cve_Estado
               FROM Embarque) Embarque ON Embarque.Eb_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Embarque.Eb_Tipo_Vehiculo
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Embarque.Es_Cve_Estado
 WHERE {PARAMETROS}
 ORDER BY Embarque.Eb_Folio', 'Embarques de un viaje', 'SISTEMA', 'SISTEMA');

COMMIT;
